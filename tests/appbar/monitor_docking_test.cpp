// Docking on a monitor other than the one at the desktop's origin.

#include "appbar_fixture.h"

namespace zindle {
namespace {

class MonitorDockingTest : public AppBarTest {
protected:
    void SetLayout(std::vector<Monitor> layout) { platform_.windowManager.SetMonitors(std::move(layout)); }
};

TEST_F(MonitorDockingTest, TheStripAndTheSizeLimitsAreThoseOfTheMonitor) {
    SetLayout({{"P", {0, 0, 1920, 1080}, {}, true}, {"L", {-1280, 56, 0, 1080}, {}, false}});
    appBar_->SetMonitorChoice("1");
    ConfigureAsBar(kEdgeTop);
    EXPECT_EQ(Strip(), (RectPx{-1280, 56, 0, 77}));
    EXPECT_EQ(Rect(), (RectPx{-1280, 56, 0, 77}));
    MinMaxInfo info{};
    Send(kWmGetMinMaxInfo, 0, info);
    EXPECT_EQ(info.maxTrackSize.x, 1280);
}

TEST_F(MonitorDockingTest, AnAutoHideBarKeepsItsSliverOnItsMonitorAndFollowsDisplayChanges) {
    SetLayout({{"A", {0, 0, 1024, 768}, {}, true}, {"B", {1024, 0, 2304, 1024}, {}, false}});
    appBar_->SetMonitorChoice("B");
    ConfigureAsBar(kEdgeBottom);
    appBar_->SetAutoHide(true);
    appBar_->UpdateBar();
    EXPECT_EQ(Rect(), (RectPx{1024, 1022, 2304, 1043}));
    Send(kWmNcMouseMove);
    EXPECT_EQ(Rect(), (RectPx{1024, 1003, 2304, 1024}));
    Send(kWmActivate, 0);

    // B goes below A. The shell's notice leaves an auto-hide bar alone; the
    // system's display change brings it to B's new edge.
    SetLayout({{"A", {0, 0, 1024, 768}, {}, true}, {"B", {0, 768, 1280, 1792}, {}, false}});
    EXPECT_EQ(Rect(), (RectPx{1024, 1022, 2304, 1043}));
    Send(kWmDisplayChange);
    EXPECT_EQ(Rect(), (RectPx{0, 1790, 1280, 1811}));
    // Another setting changed: nothing to do.
    SetLayout({{"A", {0, 0, 1024, 768}, {}, true}});
    Send(kWmSettingChange, 0x0061);
    EXPECT_EQ(Rect(), (RectPx{0, 1790, 1280, 1811}));
    Send(kWmSettingChange, kSpiSetWorkArea);
    EXPECT_EQ(Rect(), (RectPx{0, 766, 1024, 787}));
}

// The shell may tell of the work area a docking changes while it answers
// that docking; docking again from inside would call the shell back while
// it waits.
TEST_F(MonitorDockingTest, AWorkAreaNoticeDuringADockingDoesNotDockInsideIt) {
    ConfigureAsBar(kEdgeBottom);
    bool noticeSent = false;
    bool insideNotice = false;
    bool movedInsideNotice = false;
    WindowProc previous;
    previous = host_.SetWindowProc([&](unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
        const std::intptr_t result = previous(message, wParam, lParam);
        if (message == kWmWindowPosChanged) {
            if (insideNotice) movedInsideNotice = true;
            if (!noticeSent) {
                noticeSent = insideNotice = true;
                host_.SendMessage(kWmSettingChange, kSpiSetWorkArea, 0);
                insideNotice = false;
            }
        }
        return result;
    });
    appBar_->SetEdge(kEdgeTop);
    host_.SetWindowProc(previous);
    EXPECT_TRUE(noticeSent);
    EXPECT_FALSE(movedInsideNotice);
    EXPECT_EQ(Rect(), kTopStrip);
}

}  // namespace
}  // namespace zindle
