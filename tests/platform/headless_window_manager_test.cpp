// The simulated shell: how the bars on an edge share it when one of them
// leaves, changes its strip or the screen changes.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "frontends/headless/headless_platform.h"
#include "temp_dir.h"

namespace zindle {
namespace {

constexpr unsigned kCallback = kWmUser + 100;
constexpr unsigned kBottom = 3;
constexpr unsigned kTop = 1;

class HeadlessShell : public ::testing::Test {
protected:
    HeadlessShell()
        : platform_(HeadlessOptions{dir_.Path().string(), "", false, kDefaultStartTime}, [](const std::string&) {}),
          shell_(platform_.windowManager) {}

    // A bar of this program: registered with the shell, counting the ABN_POSCHANGED it receives.
    struct OurBar {
        std::unique_ptr<Window> window;
        int posChanged = 0;
    };
    OurBar& AddOurBar() {
        bars_.push_back(std::make_unique<OurBar>());
        OurBar& bar = *bars_.back();
        bar.window = platform_.windows.CreateWindow("Bar" + std::to_string(bars_.size()), "", WindowKind::Bar);
        bar.window->Native().SetWindowProc([&bar](unsigned message, std::uintptr_t wParam, std::intptr_t) {
            if (message == kCallback && wParam == kAbnPosChanged) ++bar.posChanged;
            return std::intptr_t{0};
        });
        Send(bar, kAbmNew, 0, {});
        return bar;
    }
    // Asks for a strip as a bar docking on an edge does; returns what the shell granted.
    RectPx SetPos(OurBar& bar, unsigned edge, int thickness) {
        const int width = shell_.GetSystemMetrics(kSmCxScreen);
        const int height = shell_.GetSystemMetrics(kSmCyScreen);
        RectPx rect{0, 0, width, height};
        Send(bar, kAbmQueryPos, edge, rect);
        if (edge == kTop) rect.bottom = rect.top + thickness;
        else rect.top = rect.bottom - thickness;
        Send(bar, kAbmSetPos, edge, rect);
        return rect;
    }
    void Send(OurBar& bar, unsigned message, unsigned edge, RectPx& rect) {
        AppBarData data{bar.window->Native().Handle(), kCallback, edge, rect, 0};
        shell_.SHAppBarMessage(message, data);
        rect = data.rect;
    }
    void Send(OurBar& bar, unsigned message, unsigned edge, RectPx&& rect) { Send(bar, message, edge, rect); }

    TempDir dir_;
    HeadlessPlatform platform_;
    HeadlessWindowManager& shell_;
    std::vector<std::unique_ptr<OurBar>> bars_;
};

TEST_F(HeadlessShell, OtherProgramsBarsCloseTheGapABarLeaves) {
    OurBar& first = AddOurBar();
    OurBar& second = AddOurBar();
    EXPECT_EQ(SetPos(first, kBottom, 21), (RectPx{0, 747, 1024, 768}));
    shell_.AddOtherBar(kBottom, 30);  // stacked inward of ours
    EXPECT_EQ(shell_.WorkArea().bottom, 717);
    const int told = second.posChanged;
    const int toldFirst = first.posChanged;

    // Thicker: the other bar makes room.
    SetPos(first, kBottom, 40);
    EXPECT_EQ(shell_.WorkArea().bottom, 698);
    // To the other edge: the other bar moves down into the place it left.
    EXPECT_EQ(SetPos(first, kTop, 21), (RectPx{0, 0, 1024, 21}));
    EXPECT_EQ(shell_.WorkArea(), (RectPx{0, 21, 1024, 738}));
    // Back again: now it queues behind the other bar.
    EXPECT_EQ(SetPos(first, kBottom, 21), (RectPx{0, 717, 1024, 738}));
    EXPECT_EQ(second.posChanged, told + 3);
    // The same strip again is no change, and nobody is told.
    SetPos(first, kBottom, 21);
    EXPECT_EQ(second.posChanged, told + 3);

    // Gone: the other bar keeps its place, ours was inward of it.
    Send(first, kAbmRemove, 0, {});
    EXPECT_EQ(shell_.WorkArea().bottom, 738);
    EXPECT_EQ(second.posChanged, told + 4);
    EXPECT_EQ(first.posChanged, toldFirst);  // a bar is not told of its own changes
}

TEST_F(HeadlessShell, ARemovedBarsStripIsGivenToTheBarsBehindIt) {
    OurBar& bar = AddOurBar();
    SetPos(bar, kTop, 21);
    shell_.AddOtherBar(kTop, 25);
    shell_.AddOtherBar(kTop, 10);
    EXPECT_EQ(shell_.WorkArea().top, 56);
    Send(bar, kAbmRemove, 0, {});
    EXPECT_EQ(shell_.WorkArea().top, 35);
}

TEST_F(HeadlessShell, OtherProgramsBarsFollowTheScreenSize) {
    shell_.AddOtherBar(kBottom, 30);
    shell_.AddOtherBar(2, 50);
    shell_.SetScreenSize(800, 600);
    EXPECT_EQ(shell_.WorkArea(), (RectPx{0, 0, 750, 570}));
}

}  // namespace
}  // namespace zindle
