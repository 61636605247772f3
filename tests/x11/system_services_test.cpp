#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "frontends/qt/date_order.h"
#include "frontends/qt/ewmh_window_manager.h"
#include "frontends/qt/qt_shell.h"
#include "frontends/qt/qt_system.h"
#include "frontends/qt/x11_hotkeys.h"

namespace zindle {
namespace {

TEST(DateOrderTest, TheLocalesDateFormatGivesTheOrder) {
    EXPECT_EQ(DateOrderFromFormat("%m/%d/%y"), DateOrder::MonthDayYear);
    EXPECT_EQ(DateOrderFromFormat("%d.%m.%Y"), DateOrder::DayMonthYear);
    EXPECT_EQ(DateOrderFromFormat("%Y-%m-%d"), DateOrder::YearMonthDay);
    EXPECT_EQ(DateOrderFromFormat("%D"), DateOrder::MonthDayYear);
    EXPECT_EQ(DateOrderFromFormat("%F"), DateOrder::YearMonthDay);
    EXPECT_EQ(DateOrderFromFormat("%e/%-m/%Ey"), DateOrder::DayMonthYear);
    EXPECT_EQ(DateOrderFromFormat("%d %B %Y"), DateOrder::DayMonthYear);
    // Nothing complete to go by, and a format cut after '%'.
    EXPECT_EQ(DateOrderFromFormat("%d/%m"), DateOrder::MonthDayYear);
    EXPECT_EQ(DateOrderFromFormat("%d.%m.%"), DateOrder::MonthDayYear);
    EXPECT_EQ(DateOrderFromFormat(""), DateOrder::MonthDayYear);
    EXPECT_EQ(DateOrderFromFormat(nullptr), DateOrder::MonthDayYear);
}

TEST(StrutTest, AStripBecomesTheStrutOfItsEdgeInDevicePixels) {
    const RectPx bottom{0, 747, 1024, 768};
    std::vector<std::uint32_t> expected(12, 0);
    expected[3] = 21;
    expected[11] = 1023;
    EXPECT_EQ(EwmhWindowManager::StrutFor(3, bottom, 1.0, 1024, 768), expected);

    // At twice the pixels: the logical strip 0,363-512,384 on a 1024 x 768 root.
    const RectPx hidpi{0, 363, 512, 384};
    expected[3] = 42;
    expected[11] = 1023;
    EXPECT_EQ(EwmhWindowManager::StrutFor(3, hidpi, 2.0, 1024, 768), expected);

    const auto top = EwmhWindowManager::StrutFor(1, {0, 0, 1024, 21}, 1.0, 1024, 768);
    EXPECT_EQ(top[2], 21u);
    EXPECT_EQ(top[9], 1023u);
    const auto right = EwmhWindowManager::StrutFor(2, {974, 0, 1024, 768}, 1.0, 1024, 768);
    EXPECT_EQ(right[1], 50u);
    EXPECT_EQ(right[7], 767u);

    // An empty strip (floating, auto-hide) reserves nothing.
    EXPECT_EQ(EwmhWindowManager::StrutFor(3, {}, 1.0, 1024, 768), std::vector<std::uint32_t>(12, 0));
}

TEST(StrutTest, AtAFractionalScaleTheStrutStaysOnItsMonitorAndEndsAtItsLastPixel) {
    // 1024 x 768 at 144 DPI is 683 x 512 logical pixels (1024.5 x 768 back in device ones).
    EwmhWindowManager::ScreenScale laptop(1.5);
    laptop.device = RectPx{0, 0, 1024, 768};
    const auto bottom = EwmhWindowManager::StrutFor(3, {0, 491, 683, 512}, laptop, 1024, 768);
    EXPECT_EQ(bottom[3], 31u);
    EXPECT_EQ(bottom[10], 0u);
    EXPECT_EQ(bottom[11], 1023u);

    // A monitor right of another keeps its top-left corner in both units; a
    // bar at its top reserves its span only, and a monitor below another
    // counts its top strut from the root's top.
    EwmhWindowManager::ScreenScale right(1.5, 1366, 0);
    right.device = RectPx{1366, 0, 3840, 1440};
    const auto top = EwmhWindowManager::StrutFor(1, {1366, 0, 3015, 21}, right, 3840, 2160);
    EXPECT_EQ(top[2], 32u);
    EXPECT_EQ(top[8], 1366u);
    EXPECT_EQ(top[9], 3839u);
    EwmhWindowManager::ScreenScale lower(1.0, 0, 1080);
    const auto below = EwmhWindowManager::StrutFor(1, {0, 1080, 1920, 1101}, lower, 1920, 2160);
    EXPECT_EQ(below[2], 1101u);
    EXPECT_EQ(below[9], 1919u);
}

TEST(StrutTest, AProposedRectangleMovesOffTheStripsOfOtherDocksThatItMeets) {
    std::vector<std::uint32_t> panel(12, 0);
    panel[3] = 30;  // a 30-pixel bottom panel across the screen
    panel[10] = 0;
    panel[11] = 1023;
    RectPx rect{0, 747, 1024, 768};
    EwmhWindowManager::MoveOffStrut(3, panel, 1024, 768, rect);
    EXPECT_EQ(rect, (RectPx{0, 717, 1024, 738}));

    // A panel on another edge, or one covering only part of the edge the bar does not reach.
    RectPx untouched{0, 747, 1024, 768};
    EwmhWindowManager::MoveOffStrut(1, panel, 1024, 768, untouched);
    panel[10] = 600;
    RectPx narrow{0, 747, 500, 768};
    EwmhWindowManager::MoveOffStrut(3, panel, 1024, 768, narrow);
    EXPECT_EQ(untouched, (RectPx{0, 747, 1024, 768}));
    EXPECT_EQ(narrow, (RectPx{0, 747, 500, 768}));

    // The old four-value strut reserves the whole edge; a short one nothing.
    RectPx left{0, 0, 40, 768};
    EwmhWindowManager::MoveOffStrut(0, {25, 0, 0, 0}, 1024, 768, left);
    EXPECT_EQ(left, (RectPx{25, 0, 65, 768}));
    RectPx same{0, 0, 40, 768};
    EwmhWindowManager::MoveOffStrut(0, {25}, 1024, 768, same);
    EXPECT_EQ(same, (RectPx{0, 0, 40, 768}));
}

TEST(QtSystemTest, OneInstanceHoldsTheLockUntilItEnds) {
    const std::string lock = (std::filesystem::temp_directory_path() /
                              ("zindle-qt-lock-" + std::to_string(getpid()))).string();
    {
        QtSystem first("/p", "", "/p", "/g", lock);
        QtSystem second("/p", "", "/p", "/g", lock);
        EXPECT_FALSE(first.AnotherInstanceRunning());
        EXPECT_TRUE(second.AnotherInstanceRunning());
    }
    QtSystem later("/p", "", "/p", "/g", lock);
    EXPECT_FALSE(later.AnotherInstanceRunning());
    QtSystem unlockable("/p", "", "/p", "/g", "/no/such/folder/zindle.lock");
    EXPECT_FALSE(unlockable.AnotherInstanceRunning());
    std::filesystem::remove(lock);
}

TEST(QtSystemTest, TheDefaultCommandsOpenTheSettingsAndTheInstalledGuide) {
    QtSystem system("/home/u/.config/zindle", "", "/r", "/usr/share/zindle/readme.txt", "/tmp/l");
    const DefaultCommandLines lines = system.DefaultCommands("/home/u/.config/zindle/zindle.ini", "/home/u/");
    EXPECT_EQ(lines.cfg, "%%open /home/u/.config/zindle/zindle.ini");
    EXPECT_EQ(lines.help, "%%open /usr/share/zindle/readme.txt");
    EXPECT_EQ(lines.readme, "%%open /usr/share/zindle/readme.txt");
}

// A started program leads a session of its own (so the terminal's Ctrl+C
// does not reach it) and gets the environment as it is.
TEST(SpawnDetachedTest, AStartedProgramHasItsOwnSessionAndOurEnvironment) {
    const std::filesystem::path out =
        std::filesystem::temp_directory_path() / ("zindle-spawn-" + std::to_string(getpid()));
    setenv("ZINDLE_SPAWN_PROBE", "kept", 1);
    ASSERT_TRUE(SpawnDetached({"sh", "-c", "ps -o sid= -p $$ > \"$0.tmp\"; echo $$ $ZINDLE_SPAWN_PROBE >> \"$0.tmp\";"
                                           " mv \"$0.tmp\" \"$0\"",
                               out.string()}));
    unsetenv("ZINDLE_SPAWN_PROBE");
    for (int i = 0; i < 200 && !std::filesystem::exists(out); ++i) usleep(25000);
    std::ifstream file(out);
    std::string sid, pid, probe;
    file >> sid >> pid >> probe;
    EXPECT_EQ(sid, pid) << "the child leads its session";
    EXPECT_NE(sid, std::to_string(getsid(0)));
    EXPECT_EQ(probe, "kept");
    std::filesystem::remove(out);
}

TEST(X11HotkeysTest, WithoutAnXServerNoKeyCanBeHad) {
    X11Hotkeys hotkeys(nullptr);
    EXPECT_FALSE(hotkeys.Register(1, 0, 122, 0));
    EXPECT_TRUE(hotkeys.Registrations(1).empty());
    EXPECT_FALSE(hotkeys.Match(95, 0).has_value());
}

}  // namespace
}  // namespace zindle
