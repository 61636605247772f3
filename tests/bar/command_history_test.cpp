// What a Run adds to the history and what typing is completed with.

#include <gtest/gtest.h>

#include "bar/command_history.h"

namespace zindle {
namespace {

History Entries(std::vector<std::string> entries) {
    History history;
    history.gHistory = std::move(entries);
    return history;
}

TEST(FindCompletion, ShortestMatchWinsAndTiesGoToTheNewest) {
    const History history = Entries({"net", "notepad"});
    EXPECT_EQ(FindCompletion(history, "n", false), "net");
    EXPECT_EQ(FindCompletion(history, "no", false), "notepad");
    EXPECT_EQ(FindCompletion(Entries({"note2", "note1"}), "note", false), "note2");
    EXPECT_EQ(FindCompletion(history, "x", false), "");
    EXPECT_EQ(FindCompletion(history, "notepad", false), "notepad") << "an equal entry matches";
}

TEST(FindCompletion, CaseFollowsTheSetting) {
    const History history = Entries({"notepad"});
    EXPECT_EQ(FindCompletion(history, "NO", false), "notepad");
    EXPECT_EQ(FindCompletion(history, "NO", true), "");
    EXPECT_EQ(FindCompletion(Entries({"\xC3\x89t\xC3\xA9"}), "\xC3\xA9", false), "\xC3\x89t\xC3\xA9")
        << "accented capitals fold too";
}

TEST(FindCompletion, VeryLongEntriesAreNeverOffered) {
    EXPECT_EQ(FindCompletion(Entries({std::string(10000, 'a')}), "a", false), "");
    EXPECT_EQ(FindCompletion(Entries({std::string(9999, 'a')}), "a", false).size(), 9999u);
}

TEST(AddToHistory, NewLinesGoInFrontAndTheLimitDropsOneOldest) {
    History history = Entries({"c", "b", "a"});
    AddToHistory(history, "  d  ", 3);
    EXPECT_EQ(history.gHistory, (std::vector<std::string>{"d", "c", "b"}));
    AddToHistory(history, "b", 3);
    EXPECT_EQ(history.gHistory, (std::vector<std::string>{"b", "d", "c"})) << "moved, not added";
    AddToHistory(history, "B", 3);
    EXPECT_EQ(history.gHistory.front(), "B") << "case-sensitive duplicates test";
    AddToHistory(history, "   ", 3);
    EXPECT_EQ(history.gHistory.size(), 3u);
}

TEST(AddToHistory, AnOverfullListShrinksOnlyOneAtATime) {
    History history = Entries({"c", "b", "a"});
    AddToHistory(history, "d", 1);
    EXPECT_EQ(history.gHistory, (std::vector<std::string>{"d", "c", "b"}));
    History empty;
    AddToHistory(empty, "x", 0);
    EXPECT_TRUE(empty.gHistory.empty()) << "a limit of 0 keeps an empty list empty";
}

TEST(AddToHistory, TheOldestOfSeveralEqualEntriesMoves) {
    History history = Entries({"x", "y", "x"});
    AddToHistory(history, "x", 10);
    EXPECT_EQ(history.gHistory, (std::vector<std::string>{"x", "x", "y"}));
}

}  // namespace
}  // namespace zindle
