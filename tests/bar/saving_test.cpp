// What the program changes reaches its files soon after the change, without
// the bar unloading, so a session killed afterwards loses nothing.

#include "appbar/appbar.h"
#include "appbar/state_block.h"
#include "bar_fixture.h"

namespace zindle {
namespace {

class SavingTest : public BarTest {
protected:
    void RunTyped(const std::string& line) {
        Type(line);
        box().PressKey(KeyName::Enter);
    }
    // Long enough for the pending save, short of anything else.
    void Idle() { platform->time.Wait(100); }
    std::string RegistryBlock() { return ReadFile("registry/Software/Orvane/Zindle/(default)"); }
};

TEST_F(SavingTest, HistorySettingsAndEdgeAreInTheFilesRightAfterACommand) {
    ASSERT_TRUE(Start("[cmds]\nhi=%%msg hello\nfine=%%setvar _OK_TEXT All good\n"));
    const std::string blockAtStart = RegistryBlock();
    RunTyped("hi");
    RunTyped("fine");
    platform->windows.FindPictureBox("Form1", "picSwapPos")->Click();
    Idle();
    EXPECT_NE(ReadFile("history.ini").find("count=2\n1=fine\n2=hi\n"), std::string::npos)
        << ReadFile("history.ini");
    const std::string ini = ReadFile("zindle.ini");
    EXPECT_NE(ini.find("okmsg=All good"), std::string::npos) << ini;
    EXPECT_NE(ini.find("edge=t"), std::string::npos) << ini;
    const std::string bytes = RegistryBlock();
    const auto block = DecodeStateBlock(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), StateBlock{});
    ASSERT_TRUE(block);
    EXPECT_EQ(block->state, kEdgeTop);
    EXPECT_NE(bytes, blockAtStart);
}

TEST_F(SavingTest, LinesRunByHotkeysAndClocksAreSavedToo) {
    WriteFile("history.ini", "[history]\ncount=2\n1=keep\n2=drop\n");
    ASSERT_TRUE(Start());
    // What a custom hotkey or a clock event does: a line outside the box.
    Run("%%forget drop");
    Run("%%setvar _HISTORY_LENGTH 64");
    Idle();
    EXPECT_NE(ReadFile("history.ini").find("count=1\n1=keep\n"), std::string::npos) << ReadFile("history.ini");
    EXPECT_NE(ReadFile("zindle.ini").find("history=64"), std::string::npos) << ReadFile("zindle.ini");
}

TEST_F(SavingTest, NothingChangedWritesNothingAndTheUnloadStillSavesEverything) {
    WriteFile("history.ini", "[history]\ncount=1\n1=calc\n; the user's note\n");
    ASSERT_TRUE(Start("[cfg]\n; hand-written\nhistory=64\n"));
    Run("%%noop");
    Idle();
    EXPECT_EQ(ReadFile("zindle.ini").find("UseMain"), std::string::npos) << "cfg untouched";
    EXPECT_NE(ReadFile("history.ini").find("; the user's note"), std::string::npos);
    bar().Unload();
    EXPECT_NE(ReadFile("zindle.ini").find("UseMain=yes"), std::string::npos);
    EXPECT_NE(ReadFile("zindle.ini").find("edge=b"), std::string::npos);
}

}  // namespace
}  // namespace zindle
