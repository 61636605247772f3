// zindle.ini and history.ini carried over from Windows, in its ANSI code page
// (Windows-1252): accented command words and values work as typed, edits
// keep the file's encoding, and no other byte changes.

#include "hostile_fixture.h"

namespace zindle {
namespace {

using WindowsFilesTest = HostileTest;

const std::string kHead =
    "; r\xE9glages \x80\r\n[cmds]\r\ncfg=%%msg c\r\nhelp=%%msg h\r\nreadme=%%msg r\r\n"
    "\xC9tat=%%msg \xE9t\xE9 \x96 caf\xE9\r\n";
const std::string kTail = "cherche=%%w3 http://s.example/?q=\r\nodd=%%msg \x81\x9D\xFF\r\n";

TEST_F(WindowsFilesTest, CommandWordsAndValuesWorkAndEditsKeepEveryOtherByte) {
    ASSERT_TRUE(Start(kHead + "na\xEFve=%%msg na\xEFve\r\n" + kTail));
    Run("état");
    EXPECT_EQ(Status(), "été – café");
    Run("ÉTAT");
    EXPECT_EQ(Status(), "été – café");
    Run("Naïve");
    EXPECT_EQ(Status(), "naïve");
    Run("odd");
    EXPECT_EQ(Status(), "\u0081\u009Dÿ");
    Run("cherche café");
    EXPECT_EQ(Count("open: http://s.example/?q=caf%C3%A9"), 1) << "addresses carry UTF-8";

    Run("%%save ÉTAT %%msg crème");
    EXPECT_FALSE(Failed());
    Run("%%delete NAÏVE");
    EXPECT_FALSE(Failed());
    Run("%%save été %%msg ok");
    const std::string expected =
        kHead.substr(0, kHead.find("\xC9tat")) + "\xC9tat=%%msg cr\xE8me\r\n" + kTail + "\xE9t\xE9=%%msg ok\r\n";
    EXPECT_EQ(ReadFile("zindle.ini"), expected);
    Run("état");
    EXPECT_EQ(Status(), "crème");

    Run("%%save 日本 %%msg x");
    EXPECT_EQ(Status(), "Error performing '%%save 日本 %%msg x'") << "Windows-1252 has no such characters";
    EXPECT_TRUE(Failed());
    EXPECT_EQ(ReadFile("zindle.ini"), expected);
    Quit();
    EXPECT_TRUE(ReadFile("zindle.ini").starts_with(expected)) << "the settings saved at exit come after";
}

TEST_F(WindowsFilesTest, HistoryRoundTripsAndLeavesOutWhatTheFileCannotHold) {
    const std::string history = "[history]\r\ncount=2\r\n1=\xE9t\xE9\r\n2=caf\xE9 cr\xE8me\r\n";
    WriteFile("history.ini", history);
    ASSERT_TRUE(Start(kHead));
    EXPECT_EQ(program->history.gHistory, (std::vector<std::string>{"été", "café crème"}));
    ASSERT_TRUE(Restart());
    EXPECT_EQ(ReadFile("history.ini"), history);

    program->history.gHistory = {"日本", "Ça va", "\xE9"};
    ASSERT_TRUE(Restart());
    EXPECT_EQ(program->history.gHistory, (std::vector<std::string>{"Ça va"}));
    EXPECT_EQ(ReadFile("history.ini"), "[history]\r\ncount=1\r\n1=\xC7" "a va\r\n");
}

}  // namespace
}  // namespace zindle
