// Stepping through the history with Up and Down in the command box, and
// how far the history grows.

#include "frontends/headless/headless_platform.h"
#include "program_fixture.h"

namespace zindle {
namespace {

class HistorySteppingTest : public ProgramTest {
protected:
    HeadlessTextBox& box() { return *platform->windows.FindTextBox("Form1", "txtCmd"); }
    void Enter(const std::string& text) {
        for (const char c : text) box().TypeCharacter(static_cast<unsigned char>(c));
        box().PressKey(KeyName::Enter);
    }
    // The texts the box shows after each of the keys.
    std::vector<std::string> Steps(std::initializer_list<KeyName> keys) {
        std::vector<std::string> shown;
        for (const KeyName key : keys) {
            box().PressKey(key);
            shown.push_back(box().Text());
        }
        return shown;
    }
    using Texts = std::vector<std::string>;
    static constexpr KeyName Up = KeyName::Up;
    static constexpr KeyName Down = KeyName::Down;
};

TEST_F(HistorySteppingTest, UpReachesTheOldestEntryAndDownComesBackToABlankBox) {
    WriteFile("history.ini", "[history]\ncount=3\n1=c\n2=b\n3=a\n");
    ASSERT_TRUE(Start());
    EXPECT_EQ(Steps({Up, Up, Up}), (Texts{"c", "b", "a"}));
    EXPECT_EQ(box().SelectionStart(), 1) << "the caret goes after the entry";
    EXPECT_EQ(Steps({Up}), (Texts{"a"})) << "the oldest entry is the end";
    EXPECT_EQ(Steps({Down, Down, Down, Down}), (Texts{"b", "c", "", ""}));
    EXPECT_EQ(Steps({Up}), (Texts{"c"}));
}

TEST_F(HistorySteppingTest, TheLastRunTextComesFirstUnlessItIsTheNewestEntry) {
    WriteFile("history.ini", "[history]\ncount=2\n1=b\n2=a\n");
    ASSERT_TRUE(Start("[cmds]\nb=%%noop\n"));
    // A failed line stays out of the history but is offered first.
    Enter("nosuchword");
    ASSERT_EQ(program->history.gHistory, (Texts{"b", "a"}));
    EXPECT_EQ(Steps({Up, Up, Down, Down, Down}), (Texts{"nosuchword", "b", "nosuchword", "", ""}));

    // Once it is the newest entry it is not offered twice.
    box().PressKey(KeyName::Escape);
    Enter("b");
    EXPECT_EQ(Steps({Up, Up, Down, Down}), (Texts{"b", "a", "b", ""}));
}

TEST_F(HistorySteppingTest, TheHistoryFillsUpToItsLimitAndNoFurther) {
    ASSERT_TRUE(Start("[cfg]\nhistory=3\n[cmds]\nw=%%noop\n"));
    Enter("w 1");
    Enter("w 2");
    Enter("w 3");
    EXPECT_EQ(program->history.gHistory, (Texts{"w 3", "w 2", "w 1"}));
    Enter("w 4");
    EXPECT_EQ(program->history.gHistory, (Texts{"w 4", "w 3", "w 2"}));
    Enter("w 2");
    EXPECT_EQ(program->history.gHistory, (Texts{"w 2", "w 4", "w 3"})) << "a repeated line moves to the front";
}

}  // namespace
}  // namespace zindle
