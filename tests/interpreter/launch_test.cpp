// Opening targets, starting programs, and the texts for their failures.

#include <sys/stat.h>

#include "interpreter/launch.h"
#include "platform/shell.h"
#include "program_fixture.h"

namespace zindle {
namespace {

class FixedShell final : public Shell {
public:
    explicit FixedShell(int result) : result_(result) {}
    int OpenTarget(const std::string& target) override {
        opened = target;
        return result_;
    }
    bool RunProgram(const std::string&) override { return false; }
    void PlaySoundFile(const std::string&) override {}
    std::string opened;

private:
    int result_;
};

TEST(LaunchTarget, EveryShellResultHasItsText) {
    const std::pair<int, std::string> cases[] = {
        {33, ""},
        {2, "File Not Found, in '%%open a b'"},
        {3, "Path Not Found, in '%%open a b'"},
        {31, "No File Association, in '%%open a b'"},
        {0, "Unknown Error, in '%%open a b'"},
        {32, "Unknown Error, in '%%open a b'"},
    };
    for (const auto& [code, text] : cases) {
        FixedShell shell(code);
        EXPECT_EQ(LaunchTarget(shell, "a b", false), text) << code;
        EXPECT_EQ(shell.opened, "a b") << "the whole rest is one target";
    }
    FixedShell shell(2);
    EXPECT_EQ(LaunchTarget(shell, "http://s.example/?q=  big cat", true),
              "File Not Found, in '%%w3 http://s.example/?q=+big+cat'")
        << "the text names the encoded address";
}

TEST(UrlEncode, OnlyLettersAndDigitsStay) {
    EXPECT_EQ(UrlEncode("1+1"), "1%2B1");
    EXPECT_EQ(UrlEncode("a=b\tc d"), "a%3Db%09c+d");
    EXPECT_EQ(UrlEncode("-._~"), "%2D%2E%5F%7E");
    EXPECT_EQ(UrlEncode("\xC3\xA9"), "%C3%A9") << "each byte of the character";
}

class LaunchTest : public ProgramTest {};

TEST_F(LaunchTest, OpenReportsMissingFilesAndFoldersAndClearsAnEarlierMessage) {
    Start();
    WriteFile("doc with blanks.txt", "x");
    Run("%%open " + Path("doc with blanks.txt"));
    EXPECT_EQ(Count("open: " + Path("doc with blanks.txt")), 1);
    EXPECT_EQ(Status(), "Zindle - OK");

    Run("%%open " + Path("missing.txt"));
    EXPECT_EQ(Status(), "File Not Found, in '%%open " + Path("missing.txt") + "'");
    EXPECT_TRUE(Failed());
    Run("%%open " + Path("nodir/missing.txt"));
    EXPECT_EQ(Status(), "Path Not Found, in '%%open " + Path("nodir/missing.txt") + "'");

    // A later successful launch in the same line clears an earlier message's
    // mark; an earlier failure stays on the status line instead of the OK text.
    Run("%%macro %%msg note|%%open http://ok.example");
    EXPECT_FALSE(interpreter().gMessageShown);
    EXPECT_EQ(Status(), "Zindle - OK");
    Run("%%macro %%open " + Path("missing.txt") + "|%%open http://ok.example");
    EXPECT_FALSE(interpreter().gMessageShown);
    EXPECT_EQ(Status(), "File Not Found, in '%%open " + Path("missing.txt") + "'");
}

TEST_F(LaunchTest, W3EncodesTheQueryAndKeepsABareAddress) {
    Start("[cmds]\ng=%%w3 http://s.example/?q=\n");
    Run("g big cat");
    EXPECT_EQ(Count("open: http://s.example/?q=big+cat"), 1);
    Run("%%w3 http://plain.example/x");
    EXPECT_EQ(Count("open: http://plain.example/x"), 1);
}

TEST_F(LaunchTest, ExeStartsProgramsWithoutAShellAndReportsMissingOnes) {
    Start();
    Run("%%exe sh -c 'echo hi'; rm -rf / | cat > x");
    EXPECT_EQ(Count("exec: sh -c 'echo hi'; rm -rf / | cat > x"), 1)
        << "the metacharacters are only argument text";
    EXPECT_EQ(Status(), "Zindle - OK");

    Run("%%exe no-such-program-here arg");
    EXPECT_EQ(Status(), "Error performing '%%exe no-such-program-here arg'");
    EXPECT_TRUE(Failed());

    WriteFile("tool", "#!/bin/sh\n");
    chmod(Path("tool").c_str(), 0755);
    Run("%%exe \"" + Path("tool") + "\" --flag");
    EXPECT_EQ(Count("exec: \"" + Path("tool") + "\" --flag"), 1);
}

TEST_F(LaunchTest, DefaultCommandsAreOrdinaryLaunches) {
    Start();
    Run("readme");
    EXPECT_EQ(Status(), "File Not Found, in '%%open " + Path("readme.txt") + "'");
    EXPECT_TRUE(Failed()) << "the stored line fails one level down";
}

}  // namespace
}  // namespace zindle
