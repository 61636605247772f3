// Choosing the bar's monitor from the setting, and naming the one it was
// dragged to, against fixed layouts as Windows and RandR report them.

#include <gtest/gtest.h>

#include "appbar/monitor_choice.h"

namespace zindle {
namespace {

// As Windows lists them: the primary first, at the virtual screen's origin,
// one monitor left of it (negative coordinates) and one above its right part.
const std::vector<Monitor> kWindowsLayout = {
    {"\\\\.\\DISPLAY1", {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true},
    {"\\\\.\\DISPLAY2", {-1280, 56, 0, 1080}, {-1280, 56, 0, 1080}, false},
    {"\\\\.\\DISPLAY3", {960, -1200, 2880, 0}, {960, -1200, 2880, 0}, false},
};

std::string NameOf(const std::optional<Monitor>& monitor) { return monitor ? monitor->name : "(none)"; }

TEST(MonitorChoiceTest, ASettingNamesAMonitorByNameOrNumberFromTheLeft) {
    EXPECT_EQ(NameOf(ChooseMonitor(kWindowsLayout, "")), "\\\\.\\DISPLAY1");
    EXPECT_EQ(NameOf(ChooseMonitor(kWindowsLayout, "\\\\.\\display2")), "\\\\.\\DISPLAY2");
    EXPECT_EQ(NameOf(ChooseMonitor(kWindowsLayout, "1")), "\\\\.\\DISPLAY2");
    EXPECT_EQ(NameOf(ChooseMonitor(kWindowsLayout, "2")), "\\\\.\\DISPLAY1");
    EXPECT_EQ(NameOf(ChooseMonitor(kWindowsLayout, "3")), "\\\\.\\DISPLAY3");

    // Anything that names no connected monitor means the primary.
    for (const char* absent : {"HDMI-1", "4", "0", "-1", "99999999999", "1 ", " "}) {
        EXPECT_EQ(NameOf(ChooseMonitor(kWindowsLayout, absent)), "\\\\.\\DISPLAY1") << absent;
    }
    EXPECT_EQ(ChooseMonitor({}, "1"), std::nullopt);
}

TEST(MonitorChoiceTest, ThePrimaryIsTheMarkedOneElseTheOneAtTheOrigin) {
    std::vector<Monitor> unmarked = kWindowsLayout;
    for (Monitor& monitor : unmarked) monitor.primary = false;
    std::swap(unmarked[0], unmarked[2]);
    EXPECT_EQ(NameOf(PrimaryMonitor(unmarked)), "\\\\.\\DISPLAY1");
    unmarked[1].primary = true;
    EXPECT_EQ(NameOf(PrimaryMonitor(unmarked)), unmarked[1].name);
}

TEST(MonitorChoiceTest, APointBelongsToTheMonitorUnderItOrTheNearest) {
    EXPECT_EQ(NameOf(MonitorAt(kWindowsLayout, {-1, 500})), "\\\\.\\DISPLAY2");
    EXPECT_EQ(NameOf(MonitorAt(kWindowsLayout, {0, 500})), "\\\\.\\DISPLAY1");
    EXPECT_EQ(NameOf(MonitorAt(kWindowsLayout, {2000, -1})), "\\\\.\\DISPLAY3");
    // In the gap above the left monitor, nearest to it.
    EXPECT_EQ(NameOf(MonitorAt(kWindowsLayout, {-600, 20})), "\\\\.\\DISPLAY2");
}

TEST(MonitorChoiceTest, ADragIsRememberedInTheWayTheUserChose) {
    const Monitor& left = kWindowsLayout[1];
    const Monitor& primary = kWindowsLayout[0];
    EXPECT_EQ(ChoiceNaming(kWindowsLayout, left, ""), "\\\\.\\DISPLAY2");
    EXPECT_EQ(ChoiceNaming(kWindowsLayout, left, "3"), "1");
    EXPECT_EQ(ChoiceNaming(kWindowsLayout, primary, ""), "");
    // The setting that already leads there stays as the user wrote it,
    // including a monitor that is away and falls back to the primary.
    EXPECT_EQ(ChoiceNaming(kWindowsLayout, left, "\\\\.\\display2"), "\\\\.\\display2");
    EXPECT_EQ(ChoiceNaming(kWindowsLayout, primary, "HDMI-1"), "HDMI-1");
    EXPECT_EQ(ChoiceNaming(kWindowsLayout, primary, "\\\\.\\DISPLAY3"), "\\\\.\\DISPLAY1");
}

}  // namespace
}  // namespace zindle
