#include "frontends/qt/autostart.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace zindle {
namespace {

namespace fs = std::filesystem;

TEST(AutostartTest, TheEntryGoesUnderTheXdgConfigFolder) {
    EXPECT_EQ(AutostartEntryPath("/x/cfg", "/home/u"), "/x/cfg/autostart/zindle.desktop");
    EXPECT_EQ(AutostartEntryPath("relative", "/home/u"), "/home/u/.config/autostart/zindle.desktop");
    EXPECT_EQ(AutostartEntryPath(nullptr, nullptr), "");
}

// A desktop entry's Exec is quoted, and its backslashes escaped once more by
// the file's own string rules.
TEST(AutostartTest, ThePathIsQuotedAsDesktopEntriesWantIt) {
    const std::string entry = AutostartEntry(R"(/opt/my apps/"z"$\100%/zindle)");
    EXPECT_NE(entry.find(R"(Exec="/opt/my apps/\\"z\\"\\$\\\\100%%/zindle")" "\n"), std::string::npos) << entry;
    EXPECT_EQ(entry.rfind("[Desktop Entry]\nType=Application\n", 0), 0u);
}

TEST(AutostartTest, OnWritesTheEntryAndOffRemovesIt) {
    const fs::path root = fs::temp_directory_path() / ("zindle-autostart-" + std::to_string(getpid()));
    const std::string entry = (root / "autostart/zindle.desktop").string();
    EXPECT_EQ(SetAutostart(true, entry, "/usr/bin/zindle"), "");
    std::stringstream text;
    text << std::ifstream(entry).rdbuf();
    EXPECT_EQ(text.str(), AutostartEntry("/usr/bin/zindle"));
    EXPECT_FALSE(fs::exists(entry + ".part"));
    EXPECT_EQ(SetAutostart(false, entry, "/usr/bin/zindle"), "");
    EXPECT_FALSE(fs::exists(entry));
    EXPECT_EQ(SetAutostart(false, entry, "/usr/bin/zindle"), "") << "already off";
    EXPECT_NE(SetAutostart(true, "", "/usr/bin/zindle"), "");
    EXPECT_NE(SetAutostart(true, entry, "/a\nExec=evil"), "");
    EXPECT_FALSE(fs::exists(entry));
    fs::remove_all(root);
}

}  // namespace
}  // namespace zindle
