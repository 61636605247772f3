// The bar's Run action, its layout and what unloading leaves in the files.

#include "bar_fixture.h"

namespace zindle {
namespace {

TEST_F(BarTest, RunWithABlankBoxFlashesAndLeavesTheHistoryAlone) {
    WriteFile("history.ini", "[history]\ncount=1\n1=calc\n");
    ASSERT_TRUE(Start());
    Type("   ");
    events.clear();
    box().PressKey(KeyName::Enter);
    EXPECT_EQ(Status(), "- no command entered! -");
    EXPECT_EQ(Count("flash"), 3);
    EXPECT_EQ(program->history.gHistory, std::vector<std::string>{"calc"});
    EXPECT_EQ(box().Text(), "");
    EXPECT_FALSE(box().ReadOnly());
    EXPECT_EQ(bar().StatusLine().ForeColor(), GetSkinColor(program->skin, 4));
}

TEST_F(BarTest, RunPassesTheTextWithItsBlanksAndRemembersItTrimmed) {
    ASSERT_TRUE(Start("[cmds]\nx=%%msg [%%@]\nsay=%%parse %%msg [%%@]||\n"));
    Type(" say  two ");
    box().PressKey(KeyName::Enter);
    EXPECT_EQ(Status(), "...Confused... userverb not found or general err")
        << "a leading blank makes an empty word";
    EXPECT_TRUE(program->history.gHistory.empty());
    EXPECT_EQ(program->history.gLastRunText, " say  two ");
    Type("say  two ");
    box().PressKey(KeyName::Enter);
    EXPECT_EQ(Status(), "[two]");
    EXPECT_EQ(program->history.gHistory, std::vector<std::string>{"say  two"});
}

TEST_F(BarTest, UpSkipsALastRunThatIsTheNewestEntryOnceStripped) {
    WriteFile("history.ini", "[history]\ncount=2\n1=hi\n2=older\n");
    ASSERT_TRUE(Start("[cmds]\nhi=%%noop\n"));
    Type("hi  ");
    ASSERT_EQ(box().Text(), "hi  ");
    box().PressKey(KeyName::Enter);
    box().PressKey(KeyName::Up);
    EXPECT_EQ(box().Text(), "hi");
    box().PressKey(KeyName::Up);
    EXPECT_EQ(box().Text(), "older");
}

TEST_F(BarTest, TheHistoryLimitDropsOneOldestEntryPerRun) {
    WriteFile("history.ini", "[history]\ncount=3\n1=c\n2=b\n3=a\n");
    ASSERT_TRUE(Start("[cfg]\nhistory=3\n[cmds]\nd=%%noop\n"));
    Type("d");
    box().PressKey(KeyName::Enter);
    EXPECT_EQ(program->history.gHistory, (std::vector<std::string>{"d", "c", "b"}));
}

TEST_F(BarTest, AStatusColourShowsWhileACommandRuns) {
    ASSERT_TRUE(Start("[cmds]\nwait=%%sleep 10\n"));
    Colour during = 0;
    auto timer = bar().window().CreateTimer("probe");
    timer->SetInterval(1);
    timer->SetHandler([&] { during = bar().StatusLine().ForeColor(); });
    timer->SetEnabled(true);
    Type("wait");
    box().PressKey(KeyName::Enter);
    EXPECT_EQ(during, GetSkinColor(program->skin, 7));
    EXPECT_EQ(bar().StatusLine().ForeColor(), GetSkinColor(program->skin, 4));
}

TEST_F(BarTest, ResizingKeepsTheRightHandControlsAtTheRightEdge) {
    ASSERT_TRUE(Start());
    auto& window = *platform->windows.FindWindow("Form1");
    window.Resize(600 * 15);
    EXPECT_EQ(bar().Button(BarButton::Exit).Left(), (600 - 23) * 15);
    EXPECT_EQ(bar().StatusLine().Left(), 279 * 15);
    EXPECT_EQ(bar().StatusLine().Width(), (600 - 279) * 15);
    EXPECT_EQ(bar().lblTimer().Left() + bar().lblTimer().Width(), (600 - 23) * 15);
    window.Resize(100 * 15);
    EXPECT_EQ(bar().StatusLine().Width(), 0) << "never a negative width";
}

TEST_F(BarTest, CompletionOfferingNothingNewDoesNotSwallowTheNextCompletion) {
    WriteFile("history.ini", "[history]\ncount=2\n1=net\n2=netstat\n");
    ASSERT_TRUE(Start());
    Type("net");
    EXPECT_EQ(box().Text(), "net");
    Type("s");
    EXPECT_EQ(box().Text(), "netstat");
    EXPECT_EQ(box().SelectionStart(), 4);
    EXPECT_EQ(box().SelectionLength(), 3);
}

TEST_F(BarTest, BackspaceAfterACompletionDoesNotCompleteAgain) {
    WriteFile("history.ini", "[history]\ncount=1\n1=notepad\n");
    ASSERT_TRUE(Start());
    Type("no");
    box().PressKey(KeyName::Backspace);
    EXPECT_EQ(box().Text(), "no");
    box().PressKey(KeyName::Home);
    box().PressKey(KeyName::Backspace);  // nothing to delete: the flag stays set
    box().PressKey(KeyName::End);
    Type("t");
    EXPECT_EQ(box().Text(), "not") << "the next character is not completed";
    Type("e");
    EXPECT_EQ(box().Text(), "notepad");
}

}  // namespace
}  // namespace zindle
