// Where "%%macro" cuts its lines and what "%%parse" does with what is left
// after the "||"; the bracket lists of history patterns.

#include "interpreter/wildcard.h"
#include "program_fixture.h"

namespace zindle {
namespace {

class MacroSplitTest : public ProgramTest {
protected:
    std::string Command(const std::string& word) {
        return program->store.ReadIniValue("cmds", word, "<none>", Path("zindle.ini"));
    }
};

TEST_F(MacroSplitTest, PiecesAreCutAtEveryBarAndLoseTheirBlanks) {
    Start("[cmds]\nm=%%macro  %%save k1 one |  %%save k2 two  |%%save k3\n");
    Run("m three");
    EXPECT_EQ(Command("k1"), "one");
    EXPECT_EQ(Command("k2"), "two");
    EXPECT_EQ(Command("k3"), "three");
    EXPECT_EQ(Status(), "Zindle - OK");
    EXPECT_FALSE(Failed());

    Run("%%macro %%msg first |   %%msg second");
    EXPECT_EQ(Status(), "second");
    // A blank piece is an empty line: the fallback's "not found" failure.
    Run("%%macro %%msg a |  | %%noop");
    EXPECT_EQ(Status(), "...Confused... userverb not found or general err");
}

TEST_F(MacroSplitTest, ParseLeavesATemplateWithoutArgumentsAsItIs) {
    Start("[cmds]\nsay=%%parse %%msg [%%@] [%%1]||\n");
    Run("say");
    EXPECT_EQ(Status(), "[%%@] [%%1]");
    Run("%%parse %%msg [%%@] ||    ");
    EXPECT_EQ(Status(), "[%%@]") << "blanks are no arguments";
    Run("say  a b ");
    EXPECT_EQ(Status(), "[a b] [a]");
}

TEST(WildcardLists, RangesNeedCharactersOnBothSidesOfTheDash) {
    EXPECT_TRUE(MatchesPattern("-", "[a-]"));
    EXPECT_TRUE(MatchesPattern("a", "[a-]"));
    EXPECT_FALSE(MatchesPattern("b", "[a-]")) << "a trailing dash is itself, not a range";
    EXPECT_TRUE(MatchesPattern("-", "[-a]"));
    EXPECT_FALSE(MatchesPattern("0", "[-a]"));
    EXPECT_TRUE(MatchesPattern("x", "[a-cx-z]"));
    EXPECT_FALSE(MatchesPattern("d", "[a-cx-z]"));
    EXPECT_TRUE(MatchesPattern("d", "[!a-cx-z]"));
    EXPECT_TRUE(MatchesPattern("w 0700", "w ####")) << "'#' takes 0 and 9 too";
    EXPECT_TRUE(MatchesPattern("9", "#"));
    EXPECT_FALSE(MatchesPattern("", "?"));
}

}  // namespace
}  // namespace zindle
