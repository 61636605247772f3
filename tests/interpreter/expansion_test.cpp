// Field cutting, "%%parse" templates and "%%macro" lines.

#include "interpreter/substitution.h"
#include "interpreter/text_helpers.h"
#include "program_fixture.h"

namespace zindle {
namespace {

TEST(TextHelpers, FieldsAreCutAtSingleBlanks) {
    EXPECT_EQ(GetField("word", " ", 1), "word");
    EXPECT_EQ(GetField("word", " ", 2), "");
    EXPECT_EQ(GetRestFrom("word", ' ', 2), "");
    EXPECT_EQ(GetField("a  b", " ", 2), "") << "two blanks make an empty field";
    EXPECT_EQ(GetField("a  b", " ", 3), "b");
    EXPECT_EQ(GetRestFrom("a  b c", ' ', 2), " b c") << "not stripped";
    EXPECT_EQ(GetRestFrom("a ", ' ', 2), "");
    EXPECT_EQ(GetField(" lead", " ", 1), "");
    EXPECT_TRUE(IsEmptyArray(SplitText("", " ")));
    EXPECT_EQ(SplitText("a||b", "|"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(Substitution, RowsApplyInOrderSoTenLooksLikeOneAndAZero) {
    const auto table = BuildSubstitutionTable("a b c d e f g h i j");
    EXPECT_EQ(SubstituteAll("%%2-%%10-%%@", table), "b-a0-a b c d e f g h i j");
    EXPECT_EQ(SubstituteAll("%%3 stays", BuildSubstitutionTable("x y")), "%%3 stays");
}

TEST(Substitution, ArgumentsGiveWhatTheWholeTableGives) {
    // Templates and arguments made of the pieces that interact: runs of
    // "%", digits after them, words that are placeholders themselves.
    const std::vector<std::string> pieces = {"%", "%%", "%%1", "%%2", "%%10", "1", "2", "0", "%%@", " ", "x", "%%3"};
    std::uint32_t state = 12345;
    const auto next = [&] { return state = state * 1103515245u + 12345u, (state >> 16) % pieces.size(); };
    for (int round = 0; round < 20000; ++round) {
        std::string text, args;
        for (int i = 0; i < 6; ++i) text += pieces[next()];
        for (int i = 0; i < 1 + round % 12; ++i) args += pieces[next()];
        EXPECT_EQ(SubstituteArguments(text, args), SubstituteAll(text, BuildSubstitutionTable(args)))
            << "template '" << text << "', arguments '" << args << "'";
    }
    EXPECT_EQ(SubstituteArguments("%%2-%%10-%%@", "a b c d e f g h i j"), "b-a0-a b c d e f g h i j");
}

TEST(Substitution, AWordEqualToItsPlaceholderStopsAllReplacement) {
    EXPECT_EQ(SubstituteAll("%%1 %%2 %%@", BuildSubstitutionTable("%%1 b")), "%%1 %%2 %%@");
}

TEST(Substitution, ReplacementRescansAcrossTheInsertedValue) {
    // The first replacement leaves "%%%1", in which a new "%%1" starts
    // before the inserted value.
    EXPECT_EQ(SubstituteAll("%%%%11", {{"%%1", "%"}}), "%%");
}

TEST(Substitution, ValuesThatContainTheirKeyTerminate) {
    EXPECT_EQ(SubstituteAll("<%%1>", BuildSubstitutionTable("x%%1y")), "<x%%1y>");
    EXPECT_EQ(SubstituteAll("abab", {{"ab", "aabb"}}), "aabbaabb");
}

class ExpansionTest : public ProgramTest {};

TEST_F(ExpansionTest, ParseTemplatesReceiveWordsAndTheWholeText) {
    Start(
        "[cmds]\n"
        "w=%%parse %%open http://x.example/%%1/%%2||\n"
        "say=%%parse %%msg [%%@]||\n");
    Run("w a b");
    EXPECT_EQ(Count("open: http://x.example/a/b"), 1);
    Run("w");
    EXPECT_EQ(Count("open: http://x.example/%%1/%%2"), 1) << "no words: template unexpanded";
    Run("say three  little words");
    EXPECT_EQ(Status(), "[three  little words]");
    Run("%%parse %%msg no separator");
    EXPECT_EQ(Status(), "no separator");
}

TEST_F(ExpansionTest, OldSeparatorIsRefusedWithItsWarning) {
    Start("[cmds]\nold=%%parse %%msg %%1\xC2\xAC\n");
    Run("old word");
    EXPECT_EQ(Status(), "'\xC2\xAC' NO LONGER CORRECT, USE '||'");
    EXPECT_EQ(Count("msgbox: INI File Update Required | Your INI-File NEEDS UPDATING - the syntax "
                    "for the %%parse command has changed.\\nReplace all '\xC2\xAC' with '||' (two "
                    "vertical pipes) | critical | ok"),
              1);
    // A euro sign carries the same byte inside its UTF-8 form and is no separator.
    Run("%%parse %%msg \xE2\x82\xAC%%1||5");
    EXPECT_EQ(Status(), "\xE2\x82\xAC" "5");
}

TEST_F(ExpansionTest, MacroRunsEveryPartAndArgumentsJoinTheLastOne) {
    Start("[cmds]\nm=%%macro %%save k1 one|%%save k2 two|%%save k3\n");
    Run("m three");
    EXPECT_EQ(program->store.ReadIniValue("cmds", "k1", "", Path("zindle.ini")), "one");
    EXPECT_EQ(program->store.ReadIniValue("cmds", "k3", "", Path("zindle.ini")), "three");
    Run("%%macro");
    EXPECT_EQ(Status(), "Zindle - OK");
    Run("%%macro %%msg a||%%msg b");
    EXPECT_EQ(Status(), "b") << "the empty piece between two bars runs as an empty line";
}

}  // namespace
}  // namespace zindle
