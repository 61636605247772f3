// Registration, docking, sliding and auto-hide against the simulated shell.

#include <algorithm>

#include "appbar_fixture.h"

namespace zindle {
namespace {

TEST_F(AppBarTest, BarHoldsOneStripAtTheTopOrTheBottom) {
    appBar_->Extends(*window_);
    EXPECT_EQ(appBar_->Edge(), kEdgeFloat);  // the defaults, until configured
    EXPECT_EQ(host_.GetWindowLong(kGwlExStyle) & kWsExAppWindow, kWsExAppWindow);
    appBar_->Detach();

    ConfigureAsBar(kEdgeBottom);
    EXPECT_EQ(Strip(), kBottomStrip);
    EXPECT_EQ(Rect(), kBottomStrip);
    EXPECT_EQ(platform_.windowManager.WorkArea(), (RectPx{0, 0, 1024, 747}));
    appBar_->SetEdge(kEdgeTop);
    EXPECT_EQ(Strip(), kTopStrip);
    EXPECT_EQ(platform_.windowManager.WorkArea(), (RectPx{0, 21, 1024, 768}));
    appBar_->SetDockedHeight(30);
    appBar_->UpdateBar();
    EXPECT_EQ(Rect(), (RectPx{0, 0, 1024, 30}));

    EXPECT_EQ(host_.GetWindowLong(kGwlStyle) & kWsCaptionAndSysMenu, 0);
    EXPECT_EQ(host_.GetWindowLong(kGwlExStyle) & kWsExAppWindow, 0);
    for (const unsigned command : {kScRestore, kScMinimize, kScMaximize}) EXPECT_FALSE(host_.SystemMenuHas(command));
}

TEST_F(AppBarTest, ShellNotificationsDockAgain) {
    platform_.windowManager.AddOtherBar(kEdgeTop, 30);
    ConfigureAsBar(kEdgeTop);
    EXPECT_EQ(Strip(), (RectPx{0, 30, 1024, 51}));
    platform_.windowManager.SetScreenSize(1280, 1024);
    EXPECT_EQ(Strip(), (RectPx{0, 30, 1280, 51}));

    appBar_->SetAlwaysOnTop(true);
    platform_.windowManager.SetFullScreenApp(true);
    EXPECT_EQ(host_.ZOrder(), kHwndBottom);
    platform_.windowManager.SetFullScreenApp(false);
    EXPECT_EQ(host_.ZOrder(), kHwndTopmost);
    appBar_->SetAlwaysOnTop(false);
    appBar_->UpdateBar();
    EXPECT_EQ(host_.ZOrder(), kHwndNoTopmost);
}

TEST_F(AppBarTest, SlideEndsExactlyOnTargetAfterSlideTime) {
    ConfigureAsBar(kEdgeBottom);
    positions_.clear();
    std::uint64_t start = Now();
    appBar_->SetEdge(kEdgeTop);
    EXPECT_EQ(Now() - start, 400u);
    ASSERT_GT(positions_.size(), 10u);
    EXPECT_EQ(positions_.front(), kBottomStrip);
    EXPECT_TRUE(std::is_sorted(positions_.rbegin(), positions_.rend(),
                               [](const RectPx& a, const RectPx& b) { return a.top < b.top; }));
    EXPECT_EQ(Rect(), kTopStrip);

    // In place already, without full-window drag, or with the effect off: no animation.
    start = Now();
    appBar_->UpdateBar();
    platform_.windowManager.SetDragFullWindows(false);
    appBar_->SetEdge(kEdgeBottom);
    platform_.windowManager.SetDragFullWindows(true);
    appBar_->SetSlideEffect(false);
    appBar_->SetEdge(kEdgeTop);
    EXPECT_EQ(Now(), start);
    EXPECT_EQ(Rect(), kTopStrip);

    // Across the tick counter's wrap.
    appBar_->SetSlideEffect(true);
    platform_.time.Sleep(0u - 100u - platform_.system.TickCount());
    start = Now();
    appBar_->SetEdge(kEdgeBottom);
    EXPECT_EQ(Now() - start, 400u);
    EXPECT_EQ(Rect(), kBottomStrip);

    // A slow setting works as set; a slide never blocks the bar beyond the cap.
    appBar_->SetSlideTime(3000);
    start = Now();
    appBar_->SetEdge(kEdgeTop);
    EXPECT_GE(Now() - start, 3000u);
    EXPECT_LT(Now() - start, 3000u + 16u);
    appBar_->SetSlideTime(60000);
    start = Now();
    appBar_->SetEdge(kEdgeBottom);
    EXPECT_LE(Now() - start, 5000u + 16u);
    EXPECT_EQ(Rect(), kBottomStrip);
}

TEST_F(AppBarTest, AutoHideIsRefusedWhenTheEdgeHasOneAlready) {
    AppBarData other{0x7777, 0, kEdgeTop, {}, 1};
    platform_.windowManager.SHAppBarMessage(kAbmSetAutoHideBar, other);
    ConfigureAsBar(kEdgeBottom);
    appBar_->SetAutoHide(true);
    appBar_->SetEdge(kEdgeTop);
    EXPECT_EQ(output_, (std::vector<std::string>{
                           "msgbox: Zindle | There is already an auto hidden window on this edge.\\n\\n"
                           "Only one auto hidden window is allowed on each edge. | information | ok"}));
    EXPECT_FALSE(appBar_->AutoHide());
    EXPECT_EQ(Strip(), kTopStrip);
    EXPECT_EQ(Rect(), kTopStrip);
}

TEST_F(AppBarTest, AutoHideBarSlidesInAndOutOverASliver) {
    ConfigureAsBar(kEdgeTop);
    appBar_->SetAutoHide(true);
    appBar_->UpdateBar();
    EXPECT_EQ(Strip(), std::nullopt);
    EXPECT_EQ(Rect(), (RectPx{0, -19, 1024, 2}));
    Send(kWmNcMouseMove);
    EXPECT_EQ(Rect(), kTopStrip);
    platform_.windowManager.SetCursor({500, 28});  // within two double-click widths
    Send(kWmTimer, kAutoHideTimerId);
    EXPECT_EQ(Rect(), kTopStrip);
    platform_.windowManager.SetCursor({500, 400});
    Send(kWmTimer, kAutoHideTimerId);
    EXPECT_EQ(Rect(), (RectPx{0, -19, 1024, 2}));

    appBar_->SetEdge(kEdgeBottom);
    EXPECT_EQ(Rect(), (RectPx{0, 766, 1024, 787}));
    Send(kWmNcMouseMove);
    EXPECT_EQ(Rect(), kBottomStrip);
    Send(kWmActivate, 0);
    EXPECT_EQ(Rect(), (RectPx{0, 766, 1024, 787}));
    AppBarData query{0, 0, kEdgeTop, {}, 0};
    EXPECT_EQ(platform_.windowManager.SHAppBarMessage(kAbmGetAutoHideBar, query), 0);
}

TEST_F(AppBarTest, DamagedSettingsStillDockTheBarSafely) {
    StateBlock damaged;
    damaged.state = 99;
    damaged.allowFlags = 0;
    damaged.slideTime = INT32_MIN;
    damaged.widthStep = -3;
    damaged.dockedWidth = damaged.dockedHeight = -50;
    damaged.floatLeft = 100;
    damaged.floatRight = -100;
    damaged.maxDockedHeight = INT32_MIN;

    // Loaded alone, the unknown state floats, at an empty size rather than an inverted one.
    ASSERT_TRUE(AttachWithSavedBlock(damaged));
    EXPECT_EQ(appBar_->Edge(), kEdgeFloat);
    appBar_->UpdateBar();
    EXPECT_EQ(Rect(), (RectPx{100, 0, 100, 0}));
    appBar_->Detach();

    appBar_ = std::make_unique<TAppBar>(bundle_);
    const std::uint64_t start = Now();
    ConfigureAsBar(kEdgeTop);
    EXPECT_EQ(Strip(), kTopStrip);
    appBar_->SetEdge(kEdgeBottom);
    EXPECT_EQ(Strip(), kBottomStrip);
    EXPECT_EQ(Now(), start);
    appBar_->SetDockedHeight(-50);
    appBar_->UpdateBar();
    EXPECT_EQ(Rect(), (RectPx{0, 768, 1024, 768}));
    MinMaxInfo info;
    Send(kWmGetMinMaxInfo, 0, info);
    EXPECT_EQ(info.maxTrackSize.y, 0);
    // The auto-hide timer ticks at its shortest period, not at a negative one.
    appBar_->SetSlideEffect(false);
    appBar_->SetAutoHide(true);
    appBar_->SetSlideTime(INT32_MIN);
    received_.clear();
    platform_.time.Wait(100);
    EXPECT_EQ(std::count(received_.begin(), received_.end(), kWmTimer), 10);
}

TEST_F(AppBarTest, ASavedStateOfNoneLeavesTheBarRegistered) {
    StateBlock saved;
    saved.state = kEdgeNone;
    saved.allowFlags = 12;
    saved.dockedHeight = 21;

    // As the bar loads it when cfg "edge" names no edge: the saved state docks again.
    ASSERT_TRUE(AttachWithSavedBlock(saved));
    appBar_->UpdateBar();
    EXPECT_EQ(appBar_->Edge(), kEdgeFloat);
    appBar_->SetEdge(kEdgeTop);
    EXPECT_EQ(Strip(), kTopStrip) << "later dockings reserve a strip";
    appBar_->SetEdge(kEdgeBottom);
    EXPECT_EQ(Strip(), kBottomStrip);
}

// The system with every Sleep counted.
class SleepCountingSystem final : public System {
public:
    explicit SleepCountingSystem(System& system) : system_(system) {}
    std::string ProgramDirectory() override { return system_.ProgramDirectory(); }
    char PathSeparator() const override { return system_.PathSeparator(); }
    std::string CommandLine() override { return system_.CommandLine(); }
    bool AnotherInstanceRunning() override { return system_.AnotherInstanceRunning(); }
    std::string ClipboardText() override { return system_.ClipboardText(); }
    std::optional<std::vector<std::uint8_t>> ReadRegistryBinary(const std::string& key) override {
        return system_.ReadRegistryBinary(key);
    }
    bool WriteRegistryBinary(const std::string& key, const std::vector<std::uint8_t>& value) override {
        return system_.WriteRegistryBinary(key, value);
    }
    DateTime Now() override { return system_.Now(); }
    DateOrder LocaleDateOrder() override { return system_.LocaleDateOrder(); }
    std::uint32_t TickCount() override { return system_.TickCount(); }
    void Sleep(std::uint32_t milliseconds) override {
        ++sleeps;
        system_.Sleep(milliseconds);
    }
    void DoEvents() override { system_.DoEvents(); }

    int sleeps = 0;

private:
    System& system_;
};

TEST_F(AppBarTest, TheSlideSleepsBetweenItsFrames) {
    SleepCountingSystem system(bundle_.system);
    Platform counted{bundle_.profiles, bundle_.shell, bundle_.dialogs, system, bundle_.windows, bundle_.windowManager};
    appBar_ = std::make_unique<TAppBar>(counted);
    ConfigureAsBar(kEdgeBottom);
    positions_.clear();
    system.sleeps = 0;
    appBar_->SetEdge(kEdgeTop);
    ASSERT_GT(positions_.size(), 2u);
    EXPECT_GE(system.sleeps, static_cast<int>(positions_.size()) - 2);
    EXPECT_EQ(Rect(), kTopStrip);
}

TEST_F(AppBarTest, TheAutoHidePollRunsOnlyWhileTheBarHidesItself) {
    ConfigureAsBar(kEdgeTop);
    EXPECT_FALSE(host_.HasTimer(kAutoHideTimerId));
    appBar_->SetSlideTime(200);
    EXPECT_FALSE(host_.HasTimer(kAutoHideTimerId));
    appBar_->SetAutoHide(true);
    EXPECT_TRUE(host_.HasTimer(kAutoHideTimerId));
    appBar_->SetAutoHide(false);
    EXPECT_FALSE(host_.HasTimer(kAutoHideTimerId));

    // A bar restored as auto-hiding polls from the start.
    StateBlock saved;
    saved.state = kEdgeTop;
    saved.autoHide = true;
    appBar_->Detach();
    appBar_ = std::make_unique<TAppBar>(bundle_);
    ASSERT_TRUE(AttachWithSavedBlock(saved));
    EXPECT_TRUE(host_.HasTimer(kAutoHideTimerId));
}

}  // namespace
}  // namespace zindle
