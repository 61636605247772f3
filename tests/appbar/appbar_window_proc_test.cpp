// The appbar's window procedure: the chain it joins, the user moving and
// sizing the bar, hit testing and the tracking sizes.

#include <algorithm>

#include "appbar_fixture.h"

namespace zindle {
namespace {

enum HitTest : std::intptr_t {
    kClient = 1, kLeft = 10, kRight, kTop, kTopLeft, kTopRight, kBottom, kBottomLeft, kBottomRight, kBorder
};

class AppBarWindowProcTest : public AppBarTest {
protected:
    // The user drags the window and lets go with the cursor at `cursor`; the
    // system moves the window to where WM_MOVING put it. Returns that
    // rectangle; edgeMoving_ is Edge while the move was in progress.
    RectPx Drag(PointPx cursor) {
        Send(kWmEnterSizeMove);
        platform_.windowManager.SetCursor(cursor);
        RectPx rect = Rect();
        EXPECT_EQ(Send(kWmMoving, 0, rect), 0);
        edgeMoving_ = appBar_->Edge();
        host_.SetWindowPos(kHwndTop, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                           kSwpNoZOrder);
        Send(kWmExitSizeMove);
        return rect;
    }
    RectPx Sizing(std::uintptr_t side, RectPx rect) {
        EXPECT_EQ(Send(kWmSizing, side, rect), 0);
        return rect;
    }
    std::intptr_t HitTest(std::intptr_t code, int x, int y) {
        hitTestCode_ = code;
        return Send(kWmNcHitTest, 0, static_cast<std::intptr_t>((static_cast<std::uint32_t>(y & 0xFFFF) << 16) |
                                                               static_cast<std::uint32_t>(x & 0xFFFF)));
    }
    MinMaxInfo MinMax() {
        MinMaxInfo info;
        info.maxSize = {7, 8};
        Send(kWmGetMinMaxInfo, 0, info);
        EXPECT_EQ(info.maxSize.x, 7);  // untouched
        return info;
    }
    int edgeMoving_ = kEdgeNone;
};

TEST_F(AppBarWindowProcTest, DetachUnwindsTheChainBehindALaterHook) {
    ConfigureAsBar(kEdgeTop);
    int seenInFront = 0;
    WindowProc appBarProcedure;
    appBarProcedure = host_.SetWindowProc([&](unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
        ++seenInFront;
        return appBarProcedure(message, wParam, lParam);
    });
    EXPECT_EQ(HitTest(kBottom, 10, 5), kBorder);
    EXPECT_EQ(seenInFront, 1);

    host_.SetWindowProc(appBarProcedure);  // the later hook goes first
    appBar_->Detach();
    EXPECT_EQ(Strip(), std::nullopt);
    received_.clear();
    EXPECT_EQ(HitTest(kBottom, 10, 5), kBottom);
    Send(kAppBarCallbackMessage, kAbnPosChanged);
    EXPECT_EQ(received_, (std::vector<unsigned>{kWmNcHitTest, kAppBarCallbackMessage}));
    EXPECT_EQ(Strip(), std::nullopt);
    EXPECT_EQ(seenInFront, 1);

    // A stale copy of our procedure, and one left by a destroyed object, pass everything on.
    MinMaxInfo info;
    appBarProcedure(kWmGetMinMaxInfo, 0, reinterpret_cast<std::intptr_t>(&info));
    EXPECT_EQ(received_.back(), kWmGetMinMaxInfo);
    EXPECT_EQ(info.maxTrackSize.x, 0);
    appBar_ = std::make_unique<TAppBar>(bundle_);
    ConfigureAsBar(kEdgeTop);
    appBar_->SetSlideEffect(false);
    appBar_->SetAutoHide(true);
    appBar_.reset();
    EXPECT_EQ(HitTest(kBottom, 10, 5), kBottom);
    platform_.time.Wait(1000);
    EXPECT_EQ(received_.back(), kWmTimer);
}

TEST_F(AppBarWindowProcTest, MessagesHandledBeforeTheWindowStopThere) {
    ConfigureAsBar(kEdgeTop);
    received_.clear();
    RectPx rect = kTopStrip;
    MinMaxInfo info;
    EXPECT_EQ(Send(kWmGetMinMaxInfo, 0, info), 0);
    EXPECT_EQ(Send(kWmSizing, 2, rect), 0);
    EXPECT_EQ(Send(kWmEnterSizeMove), 0);
    EXPECT_EQ(Send(kWmMoving, 0, rect), 0);
    EXPECT_EQ(Send(kWmExitSizeMove), 0);
    EXPECT_EQ(Send(kAppBarCallbackMessage, kAbnStateChange), 0);
    // Only the moves of docking again came through.
    EXPECT_EQ(std::count(received_.begin(), received_.end(), kWmWindowPosChanged),
              static_cast<std::ptrdiff_t>(received_.size()));

    received_.clear();
    const std::vector<unsigned> passed{kWmNcMouseMove, kWmTimer, kWmActivate, kWmWindowPosChanged, kWmNcHitTest};
    for (const unsigned message : passed) Send(message);
    EXPECT_EQ(received_, passed);
}

TEST_F(AppBarWindowProcTest, DraggingPicksTheEdgeOfTheTriangleUnderTheCursor) {
    ConfigureAsBar(kEdgeBottom);
    EXPECT_EQ(Drag({512, 100}), kTopStrip);
    EXPECT_EQ(edgeMoving_, kEdgeTop);
    EXPECT_EQ(Strip(), kTopStrip);
    // Side triangles, and the diagonal where the sides win, keep the edge.
    for (const PointPx cursor : {PointPx{50, 384}, PointPx{1000, 700}, PointPx{0, 0}}) {
        EXPECT_EQ(Drag(cursor), kTopStrip);
        EXPECT_EQ(appBar_->Edge(), kEdgeTop);
    }
    Drag({512, 700});
    EXPECT_EQ(Strip(), kBottomStrip);
    EXPECT_EQ(appBar_->DockedHeight(), 21);

    // With floating allowed, the work area floats the window at its float size.
    appBar_->SetAllowFlags(31);
    appBar_->SetFloatRight(200);
    appBar_->SetFloatBottom(100);
    EXPECT_EQ(Drag({400, 300}), (RectPx{300, 300, 500, 400}));
    EXPECT_EQ(appBar_->Edge(), kEdgeFloat);
    EXPECT_EQ(Strip(), std::nullopt);
    EXPECT_EQ(appBar_->FloatLeft(), 300);
    EXPECT_EQ(host_.GetWindowLong(kGwlStyle) & kWsCaptionAndSysMenu, kWsCaptionAndSysMenu);
    platform_.windowManager.SetKeyDown(kVkControl, true);
    Drag({512, 5});
    EXPECT_EQ(edgeMoving_, kEdgeFloat);
    platform_.windowManager.SetKeyDown(kVkControl, false);
    EXPECT_EQ(Drag({512, 5}), kTopStrip);
    EXPECT_EQ(appBar_->Edge(), kEdgeTop);
}

TEST_F(AppBarWindowProcTest, SizingSnapsToStepsAboveTheMinimum) {
    ConfigureAsBar(kEdgeTop);
    appBar_->SetAllowFlags(31);
    appBar_->SetEdge(kEdgeFloat);
    appBar_->SetWidthStep(10);
    EXPECT_EQ(Sizing(2, {100, 100, 157, 130}), (RectPx{100, 100, 160, 130}));
    EXPECT_EQ(Sizing(2, {100, 100, 154, 130}), (RectPx{100, 100, 150, 130}));
    EXPECT_EQ(Sizing(1, {100, 100, 157, 130}), (RectPx{97, 100, 157, 130}));
    EXPECT_EQ(Sizing(9, {100, 100, 157, 130}), (RectPx{100, 100, 157, 130}));

    appBar_->SetEdge(kEdgeTop);
    appBar_->SetMinDockedHeight(5);
    appBar_->SetHeightStep(10);
    EXPECT_EQ(Sizing(6, {0, 0, 1024, 57}), (RectPx{0, 0, 1024, 55}));
    EXPECT_EQ(Sizing(3, {0, 0, 1024, 57}), (RectPx{0, 2, 1024, 57}));

    // Tracking sizes: docked at the top, on the left, floating.
    MinMaxInfo info = MinMax();
    EXPECT_EQ((std::vector{info.minTrackSize.x, info.minTrackSize.y, info.maxTrackSize.x, info.maxTrackSize.y}),
              (std::vector{1, 5, 1024, 384}));
    appBar_->SetEdge(kEdgeLeft);
    info = MinMax();
    EXPECT_EQ((std::vector{info.maxTrackSize.x, info.maxTrackSize.y}), (std::vector{50, 768}));
    appBar_->SetEdge(kEdgeFloat);
    appBar_->SetMinFloatWidth(40);
    info = MinMax();
    EXPECT_EQ((std::vector{info.minTrackSize.x, info.maxTrackSize.x, info.maxTrackSize.y}),
              (std::vector{40, 1024, 768}));
}

TEST_F(AppBarWindowProcTest, HitTestLeavesOnlyTheSidesThatMaySize) {
    ConfigureAsBar(kEdgeTop);
    EXPECT_EQ(HitTest(kBottom, 10, 21), kBottom);
    EXPECT_EQ(HitTest(kTopLeft, 10, 30), kBottom);
    EXPECT_EQ(HitTest(kBottom, 10, 20), kBorder);
    EXPECT_EQ(HitTest(kBottom, 10, -5), kBorder);  // above the screen, not far below it
    EXPECT_EQ(HitTest(kClient, 10, 30), kClient);
    appBar_->SetHeightStep(0);
    EXPECT_EQ(HitTest(kBottom, 10, 30), kBorder);
    appBar_->SetHeightStep(1);
    appBar_->SetEdge(kEdgeBottom);
    EXPECT_EQ(HitTest(kTop, 10, 746), kTop);
    EXPECT_EQ(HitTest(kTop, 10, 747), kBorder);

    appBar_->SetAllowFlags(31);
    appBar_->SetEdge(kEdgeFloat);
    struct Case {
        int widthStep, heightStep;
        std::intptr_t code, expected;
    };
    for (const Case& c : {Case{0, 1, kLeft, kBorder}, Case{0, 1, kTopLeft, kTop}, Case{1, 0, kBottom, kBorder},
                          Case{1, 0, kBottomRight, kRight}, Case{0, 0, kTopRight, kBorder},
                          Case{1, 1, kBottomLeft, kBottomLeft}}) {
        appBar_->SetWidthStep(c.widthStep);
        appBar_->SetHeightStep(c.heightStep);
        EXPECT_EQ(HitTest(c.code, 0, 0), c.expected) << c.widthStep << c.heightStep << " " << c.code;
    }
    appBar_->SetEdge(kEdgeNone);
    EXPECT_EQ(HitTest(kTop, 10, 747), kTop);
}

}  // namespace
}  // namespace zindle
