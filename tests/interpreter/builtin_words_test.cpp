// The built-in words that edit the table, prune the history, set variables,
// show things and move the bar.

#include "interpreter/history.h"
#include "interpreter/run_time_variables.h"
#include "interpreter/wildcard.h"
#include "program_fixture.h"

namespace zindle {
namespace {

class BuiltinWordsTest : public ProgramTest {
protected:
    std::string Command(const std::string& word) {
        return program->store.ReadIniValue("cmds", word, "<none>", Path("zindle.ini"));
    }
};

TEST_F(BuiltinWordsTest, SaveAndDeleteEditTheTable) {
    Start();
    Run("%%save g   %%open  c:\\x  ");
    EXPECT_EQ(Command("g"), "%%open  c:\\x");
    EXPECT_EQ(Status(), "Zindle - OK");
    Run("%%save empty");
    EXPECT_EQ(Command("empty"), "");
    Run("%%delete G");
    EXPECT_EQ(Command("g"), "<none>");
    EXPECT_EQ(ReadFile("zindle.ini").find("\ng="), std::string::npos) << "the key is gone, not emptied";
}

TEST_F(BuiltinWordsTest, TableEditsThatCannotBeWrittenAreReported) {
    // Something that is no file stands where zindle.ini should be.
    std::filesystem::create_directory(dir.Path() / "zindle.ini");
    Start();
    Run("%%save k v");
    EXPECT_EQ(Status(), "Error performing '%%save k v'");
    EXPECT_TRUE(Failed());
    Run("%%delete k");
    EXPECT_EQ(Status(), "Error performing '%%delete k'");
    Run("%%save");
    EXPECT_EQ(Status(), "Error performing '%%save '") << "no word to save under";
}

TEST_F(BuiltinWordsTest, ForgetRemovesTheOldestEqualEntryIgnoringCase) {
    Start();
    program->history.gHistory = {"Notepad", "calc", "notepad"};
    Run("%%forget NOTEPAD");
    EXPECT_EQ(program->history.gHistory, (std::vector<std::string>{"Notepad", "calc"}));
    EXPECT_EQ(Status(), "Zindle - OK");
    Run("%%forget nothing");
    EXPECT_EQ(Status(), "No match found to Forget");
}

TEST_F(BuiltinWordsTest, ForgetLikeCountsWhatItRemoves) {
    Start();
    program->history.gHistory = {"g cats", "w 1990", "G dogs", "calc"};
    Run("%%forgetlike g *");
    EXPECT_EQ(Status(), "Removed 2 items OK");
    Run("%%forgetlike zz*");
    EXPECT_EQ(Status(), "Nothing found to Forget");
    Run("%%forgetlike *");
    EXPECT_EQ(Status(), "Removed 2 items OK");
    EXPECT_TRUE(program->history.gHistory.empty());
}

TEST(Wildcard, PatternsMatchLikeTheHistoryPruningExpects) {
    EXPECT_TRUE(MatchesPattern("w 1990", "w ####"));
    EXPECT_FALSE(MatchesPattern("w 19x0", "w ####"));
    EXPECT_TRUE(MatchesPattern("cat", "c?t"));
    EXPECT_TRUE(MatchesPattern("bat", "[a-c]at"));
    EXPECT_FALSE(MatchesPattern("bat", "[!a-c]at"));
    EXPECT_TRUE(MatchesPattern("[x", "[x")) << "an unclosed bracket is a plain character";
    EXPECT_TRUE(MatchesPattern("abcabd", "*ab?"));
    EXPECT_TRUE(MatchesPattern("", "*"));
    EXPECT_FALSE(MatchesPattern("abc", "ab"));
    EXPECT_TRUE(MatchesPattern("\xC3\xA9t\xC3\xA9", "?t?")) << "a character is a code point";
    // Many stars against a long text must not take exponential time.
    EXPECT_FALSE(MatchesPattern(std::string(5000, 'a'), "*a*a*a*a*a*a*a*a*b"));
}

TEST_F(BuiltinWordsTest, SetVarCapsNumbersAndRefusesTheRest) {
    Start();
    Run("%%setvar _max_recurse 300");
    EXPECT_EQ(program->settings.gRecurseLimit, 256);
    Run("%%setvar _HISTORY_LENGTH 1,000");
    EXPECT_EQ(program->settings.gHistoryLength, 1) << "cut at the group separator";
    Run("%%setvar _history_length 1e9");
    EXPECT_EQ(program->settings.gHistoryLength, 2048);
    Run("%%setvar _max_recurse 10");
    Run("%%setvar _max_recurse lots");
    EXPECT_EQ(Status(), "Error performing '%%setvar _max_recurse lots'");
    EXPECT_TRUE(Failed());
    EXPECT_EQ(program->settings.gRecurseLimit, 10);
    Run("%%setvar _nothing 1");
    EXPECT_EQ(Status(), "Error performing '%%setvar _nothing 1'");
    Run("%%setvar _ok_text");
    EXPECT_EQ(program->settings.gOkText, "");
    Run("%%setvar _max_recurse -5");
    EXPECT_EQ(program->settings.gRecurseLimit, -5) << "no lower bound";

    EXPECT_FALSE(IsLocaleNumber(""));
    EXPECT_FALSE(IsLocaleNumber("1e"));
    EXPECT_TRUE(IsLocaleNumber("  -1,234.5e+3 "));
}

TEST_F(BuiltinWordsTest, ShowAndShowBoxDisplayADefinition) {
    Start("[cmds]\ng=%%open x\n");
    Run("%%show g");
    EXPECT_EQ(Status(), "g=%%open x");
    Run("%%show none");
    EXPECT_EQ(Status(), "none=");
    Run("%%showbox g");
    EXPECT_EQ(Count("msgbox: Expansion of 'g' | g=%%open x | information | ok"), 1);
    EXPECT_EQ(Status(), "Zindle - OK");
}

TEST_F(BuiltinWordsTest, MessageBoxesAndTheVersion) {
    Start();
    Run("%%msgbox hello there");
    EXPECT_EQ(Count("msgbox: Zindle Script Message | hello there | information | ok"), 1);
    Run("%%about");
    ASSERT_EQ(events.size(), 1u);
    EXPECT_NE(events[0].find("| Zindle Version 3.2.8 | none | ok"), std::string::npos);
    Run("%%debug");
    EXPECT_EQ(Status(), "INIFile:" + Path("zindle.ini") + ", App.Path:" + dir.Path().string());
}

TEST_F(BuiltinWordsTest, SleepWaitsVirtualTimeWithinBounds) {
    Start();
    Run("%%noop");  // the OK text is on the status line: no typing effect follows
    auto sleepTime = [&](const std::string& value) {
        const auto before = Elapsed();
        Run("%%sleep " + value);
        return Elapsed() - before;
    };
    EXPECT_EQ(sleepTime("1500.5"), 1500u) << "halves to even";
    EXPECT_EQ(sleepTime("2500.5"), 2500u);
    EXPECT_EQ(sleepTime("-20"), 0u);
    EXPECT_EQ(sleepTime("59999"), 59999u);
    EXPECT_EQ(sleepTime("1e12"), 60000u) << "a minute at most: the bar cannot react while it sleeps";
}

TEST_F(BuiltinWordsTest, SoundFlashAndClockMessages) {
    Start();
    Run("%%wav /tmp/ding.wav");
    EXPECT_EQ(events, std::vector<std::string>{"sound: /tmp/ding.wav"});
    EXPECT_TRUE(interpreter().gMessageShown);
    Run("%%flash");
    EXPECT_EQ(Count("flash"), 3);
    Run("%%clock");
    EXPECT_EQ(Status(), "%%Clock without a Clock Command...");
}

TEST_F(BuiltinWordsTest, UpAndDownWriteTheEdgeAtOnce) {
    Start();
    Run("%%up");
    EXPECT_EQ(program->store.ReadIniValue("cfg", "edge", "", Path("zindle.ini")), "t");
    Run("%%DOWN");
    EXPECT_EQ(program->store.ReadIniValue("cfg", "edge", "", Path("zindle.ini")), "b");
}

}  // namespace
}  // namespace zindle
