// Start-up: the single-instance rule, settings, default commands, "!onload".

#include "startup/command_switch.h"
#include "program_fixture.h"

namespace zindle {
namespace {

class StartupTest : public ProgramTest {};

TEST(CommandSwitch, OnlyAWholeWordCountsInAnyCase) {
    EXPECT_TRUE(HasCommandSwitch("DEV /MuLtI", "/multi"));
    EXPECT_TRUE(HasCommandSwitch("x  /multi", "/multi"));
    EXPECT_FALSE(HasCommandSwitch("/multiple", "/multi"));
    EXPECT_FALSE(HasCommandSwitch("x/multi", "/multi"));
    EXPECT_FALSE(HasCommandSwitch("", "/multi"));
}

TEST_F(StartupTest, ASecondInstanceIsRefusedUnlessForced) {
    EXPECT_FALSE(Start("", "", true));
    EXPECT_EQ(events, std::vector<std::string>{
                          "msgbox: Zindle Already Running | Can't run multiple instances at once\\n"
                          "(use /multi switch on commandline to force it) | exclamation | ok"});
    EXPECT_FALSE(std::filesystem::exists(Path("zindle.ini"))) << "nothing touched";

    events.clear();
    EXPECT_TRUE(Start("", "/Multi", true));
    EXPECT_TRUE(events.empty());
}

TEST_F(StartupTest, AFreshDirectoryGetsTheDefaultCommands) {
    ASSERT_TRUE(Start());
    const std::string ini = ReadFile("zindle.ini");
    EXPECT_EQ(ini,
              "[cmds]\n"
              "cfg=exe notepad.exe \"" + Path("zindle.ini") + "\"\n"
              "help=%%open " + Path("zindle.chm") + "\n"
              "readme=%%open " + Path("readme.txt") + "\n");
    EXPECT_FALSE(program->settings.gStartingUp);
    EXPECT_TRUE(program->bar()->window().Visible());
}

TEST_F(StartupTest, BlankDefaultsAreReplacedAndOthersKept) {
    ASSERT_TRUE(Start("[cmds]\nhelp=   \ncfg=my editor\n"));
    EXPECT_EQ(program->store.ReadIniValue("cmds", "help", "", Path("zindle.ini")),
              "%%open " + Path("zindle.chm"));
    EXPECT_EQ(program->store.ReadIniValue("cmds", "cfg", "", Path("zindle.ini")), "my editor");
}

TEST_F(StartupTest, SettingsTakeTheirDefaultsAndCaps) {
    ASSERT_TRUE(Start(
        "[cfg]\nsplash=1501.5\nUseMain= Yes \nMainKey=120.5abc\nUse3=\nUse2=on\nKey2=65\n"
        "Shift2=3\nhistory=5000\nrecurse=\nokmsg=Done.\nCaseSens=1\n"));
    const ProgramSettings& s = program->settings;
    EXPECT_EQ(s.gSplashTime, 1502);
    EXPECT_TRUE(s.gUseMainHotkey);
    EXPECT_EQ(s.gMainKey, 120);
    EXPECT_FALSE(s.gCustomHotkeys[1].enabled);
    EXPECT_EQ(s.gCustomHotkeys[1].key, 65);
    EXPECT_EQ(s.gCustomHotkeys[1].shift, 3);
    EXPECT_FALSE(s.gCustomHotkeys[2].enabled);
    EXPECT_EQ(s.gHistoryLength, 2048);
    EXPECT_EQ(s.gRecurseLimit, 32);
    EXPECT_EQ(s.gOkText, "Done.");
    EXPECT_TRUE(s.gCaseSensitive);
}

TEST_F(StartupTest, OnloadRunsWhenNotBlank) {
    ASSERT_TRUE(Start("[cmds]\n!onload=%%msg  welcome\n"));
    EXPECT_EQ(Status(), "welcome");
    events.clear();
    ASSERT_TRUE(Start("[cmds]\n!onload=   \n"));
    EXPECT_EQ(Status(), ".");
}

TEST_F(StartupTest, HistoryIsLoadedAndUnloadSavesItWithTheSettings) {
    WriteFile("history.ini", "[history]\ncount=3\n1=newest\n2=  \n3=oldest\n");
    ASSERT_TRUE(Start("[cfg]\nskin=dark\nhistory=7\n"));
    EXPECT_EQ(program->history.gHistory, (std::vector<std::string>{"newest", "oldest"}));
    Run("%%forget newest");
    Run("%%setvar _ok_text fine");
    Run("%%quit");
    EXPECT_EQ(ReadFile("history.ini"), "[history]\ncount=1\n1=oldest\n");
    const std::string ini = ReadFile("zindle.ini");
    EXPECT_NE(ini.find("okmsg=fine\n"), std::string::npos);
    EXPECT_NE(ini.find("skin=dark\n"), std::string::npos) << "the configured skin survives";
    EXPECT_NE(ini.find("history=7\n"), std::string::npos);
    EXPECT_NE(ini.find("UseMain=yes\nMainKey=122\nMainShift=0\nUse1=no\nKey1=0\nShift1=0\n"),
              std::string::npos);
}

}  // namespace
}  // namespace zindle
