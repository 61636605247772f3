// Docking on the left and right edges: the strip's width, auto-hide on a
// side, dragging onto a side and sizing a side bar's inner edge.

#include "appbar_fixture.h"

namespace zindle {
namespace {

class SideDockingTest : public AppBarTest {
protected:
    // A bar configured as the program does, then allowed on every edge and
    // given a docked width that differs from its docked height.
    void ConfigureForSides() {
        ConfigureAsBar(kEdgeTop);
        appBar_->SetAllowFlags(kAllowLeft | kAllowRight | kAllowTop | kAllowBottom);
        appBar_->SetSlideEffect(false);
        appBar_->SetDockedWidth(40);
    }
    // The user lets go of the window with the cursor at `cursor`.
    void Drag(PointPx cursor) {
        Send(kWmEnterSizeMove);
        platform_.windowManager.SetCursor(cursor);
        RectPx rect = Rect();
        Send(kWmMoving, 0, rect);
        host_.SetWindowPos(kHwndTop, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                           kSwpNoZOrder);
        Send(kWmExitSizeMove);
    }
    std::intptr_t HitTest(std::intptr_t code, int x, int y) {
        hitTestCode_ = code;
        return Send(kWmNcHitTest, 0,
                    static_cast<std::intptr_t>((static_cast<std::uint32_t>(y & 0xFFFF) << 16) |
                                               static_cast<std::uint32_t>(x & 0xFFFF)));
    }

    static constexpr RectPx kLeftStrip{0, 0, 40, 768};
    static constexpr RectPx kRightStrip{984, 0, 1024, 768};
    static constexpr std::intptr_t kHtLeft = 10, kHtRight = 11, kHtBorder = 18;
};

TEST_F(SideDockingTest, SideBarsReserveAStripOfTheirDockedWidth) {
    ConfigureForSides();
    appBar_->SetEdge(kEdgeLeft);
    EXPECT_EQ(Strip(), kLeftStrip);
    EXPECT_EQ(Rect(), kLeftStrip);
    EXPECT_EQ(platform_.windowManager.WorkArea(), (RectPx{40, 0, 1024, 768}));
    appBar_->SetEdge(kEdgeRight);
    EXPECT_EQ(Strip(), kRightStrip);
    EXPECT_EQ(Rect(), kRightStrip);
    EXPECT_EQ(platform_.windowManager.WorkArea(), (RectPx{0, 0, 984, 768}));
    // The top strip keeps the docked height.
    appBar_->SetEdge(kEdgeTop);
    EXPECT_EQ(Strip(), kTopStrip);
}

TEST_F(SideDockingTest, AutoHideSideBarsHideAndShowOnTheirOwnEdge) {
    ConfigureForSides();
    appBar_->SetAutoHide(true);
    appBar_->SetEdge(kEdgeLeft);
    EXPECT_EQ(Strip(), std::nullopt);
    EXPECT_EQ(Rect(), (RectPx{-38, 0, 2, 768})) << "a sliver of twice the border width stays on screen";
    Send(kWmNcMouseMove);
    EXPECT_EQ(Rect(), kLeftStrip);
    Send(kWmActivate, 0);
    EXPECT_EQ(Rect(), (RectPx{-38, 0, 2, 768}));

    appBar_->SetEdge(kEdgeRight);
    EXPECT_EQ(Rect(), (RectPx{1022, 0, 1062, 768}));
    Send(kWmNcMouseMove);
    EXPECT_EQ(Rect(), kRightStrip);
    Send(kWmActivate, 0);
    EXPECT_EQ(Rect(), (RectPx{1022, 0, 1062, 768}));
}

TEST_F(SideDockingTest, DraggingOntoASideDocksThereAndTheDiagonalsGoToTheSides) {
    ConfigureForSides();
    Drag({50, 384});
    EXPECT_EQ(appBar_->Edge(), kEdgeLeft);
    EXPECT_EQ(Strip(), kLeftStrip);
    Drag({1000, 300});
    EXPECT_EQ(appBar_->Edge(), kEdgeRight);
    Drag({512, 100});
    EXPECT_EQ(appBar_->Edge(), kEdgeTop);
    // Exactly on a diagonal through the screen's centre.
    Drag({0, 0});
    EXPECT_EQ(appBar_->Edge(), kEdgeLeft);
    Drag({1024, 768});
    EXPECT_EQ(appBar_->Edge(), kEdgeRight);
    Drag({512, 767});
    EXPECT_EQ(appBar_->Edge(), kEdgeBottom);
}

TEST_F(SideDockingTest, SizingASideBarKeepsItsNewWidthAndOnlyItsInnerEdgeSizes) {
    ConfigureForSides();
    appBar_->SetEdge(kEdgeRight);
    EXPECT_EQ(HitTest(kHtLeft, 983, 300), kHtLeft);
    EXPECT_EQ(HitTest(kHtLeft, 984, 300), kHtBorder);
    EXPECT_EQ(HitTest(kHtRight, 1030, 300), kHtBorder);

    // The user drags the inner edge out to 48 pixels (within the maximum of 50).
    Send(kWmEnterSizeMove);
    host_.SetWindowPos(kHwndTop, 976, 0, 48, 768, kSwpNoZOrder);
    Send(kWmExitSizeMove);
    EXPECT_EQ(appBar_->DockedWidth(), 48);
    EXPECT_EQ(appBar_->DockedHeight(), 21);
    EXPECT_EQ(Strip(), (RectPx{976, 0, 1024, 768}));

    appBar_->SetEdge(kEdgeLeft);
    EXPECT_EQ(Strip(), (RectPx{0, 0, 48, 768}));
    EXPECT_EQ(HitTest(kHtRight, 48, 300), kHtRight);
    EXPECT_EQ(HitTest(kHtRight, 47, 300), kHtBorder);
    appBar_->SetEdge(kEdgeTop);
    EXPECT_EQ(Strip(), kTopStrip) << "the height is the top strip's still";
}

}  // namespace
}  // namespace zindle
