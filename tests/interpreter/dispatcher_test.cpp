// Resolving words, the nesting limit, the fallback and the OK text.

#include "program_fixture.h"

namespace zindle {
namespace {

class DispatcherTest : public ProgramTest {};

TEST_F(DispatcherTest, UserWordGetsTypedArgumentsAppendedAfterABlank) {
    Start("[cmds]\ng=%%msg stored\nG2=%%MSG upper\n");
    Run("g  one two ");
    EXPECT_EQ(Status(), "stored one two");
    Run("g");
    EXPECT_EQ(Status(), "stored");  // the trailing blank is stripped by %%msg's rest
    Run("g2 x");
    EXPECT_EQ(Status(), "upper x") << "user words and built-ins match in any case";
    EXPECT_EQ(interpreter().gLastUserCommand, "g2 x");
    EXPECT_FALSE(Failed());
}

TEST_F(DispatcherTest, NoopShowsTheOkTextAndMsgShowsOnlyItsOwnText) {
    Start("[cfg]\nokmsg=All good\n");
    Run("%%noop");
    EXPECT_EQ(Status(), "All good");
    Run("%%msg hello");
    EXPECT_EQ(Status(), "hello");
    EXPECT_TRUE(interpreter().gMessageShown);
}

TEST_F(DispatcherTest, WordDefinedAsItselfStopsAtTheLimitAndFlashesOnce) {
    Start("[cmds]\nloop=loop\n[cfg]\nrecurse=5\n");
    Run("loop");
    EXPECT_EQ(Status(), "Too Much Recursion!");
    EXPECT_TRUE(Failed());
    EXPECT_EQ(interpreter().Depth(), 0);
    EXPECT_TRUE(interpreter().Aborted());
    EXPECT_EQ(Count("flash"), 3) << "one BlinkBar: three flashes";

    // A limit of 0 fails every line; only the first of a run of such failures flashes.
    Run("%%setvar _max_recurse 0");
    Run("%%noop");
    EXPECT_EQ(Status(), "Too Much Recursion!");
    EXPECT_EQ(Count("flash"), 3);
    Run("%%noop");
    EXPECT_EQ(Count("flash"), 0) << "still aborted from the previous hit";
    EXPECT_TRUE(Failed());
}

TEST_F(DispatcherTest, UnknownWordRunsTheFallbackWithTheWholeLine) {
    Start("[cmds]\n$fallback=%%w3 http://find.example/?q=\n");
    Run("big cat");
    ASSERT_EQ(Count("open: http://find.example/?q=big+cat"), 1);
    EXPECT_FALSE(Failed());
}

TEST_F(DispatcherTest, UnknownWordWithoutFallbackFailsOnlyNearTheTop) {
    Start("[cmds]\nouter=inner\ninner=missing\n$fallback=   \n");
    Run("nosuchword");
    EXPECT_EQ(Status(), "...Confused... userverb not found or general err") << "a blank fallback is none";
    EXPECT_TRUE(Failed());
    Run("outer");
    EXPECT_EQ(Status(), "...Confused... userverb not found or general err");
    EXPECT_FALSE(Failed()) << "two levels deep the typed line still enters the history";
}

TEST_F(DispatcherTest, RunawayChainsThatNeverRaiseTheCounterStillEnd) {
    // A fallback that fails again, and a fallback that doubles itself every
    // round, would otherwise recurse until the stack is gone.
    Start("[cmds]\n$fallback=%%err\n");
    Run("nosuchword");
    EXPECT_EQ(Status(), "Too Much Recursion!");
    EXPECT_TRUE(Failed());

    ASSERT_TRUE(program->store.WriteIniValue("cmds", "$fallback", Path("zindle.ini"),
                                             std::string("%%macro %%err|%%err")));
    Run("nosuchword");
    EXPECT_EQ(Status(), "Too Much Recursion!");

    // A typed macro of macros nests once per word without raising the counter.
    std::string line;
    for (int i = 0; i < 20000; ++i) line += "%%macro ";
    Run(line + "%%msg deep");
    EXPECT_EQ(Status(), "Too Much Recursion!");
    Run("%%msg after");
    EXPECT_EQ(Status(), "after") << "the program keeps working";
}

TEST_F(DispatcherTest, ALineWhoseWorkMultipliesAtEveryLevelIsAbandoned) {
    // Every level doubles the arguments; once they reach the expansion bound
    // every level handles a megabyte or more, down to the nesting limit.
    Start("[cfg]\nrecurse=67\n[cmds]\n$fallback=%%parse %%@ %%@ $fallback ||\n");
    Run("||");
    EXPECT_EQ(Status(), "Too Much Work! Line Abandoned");
    EXPECT_TRUE(Failed());
    EXPECT_EQ(interpreter().Depth(), 0);
    EXPECT_EQ(Count("flash"), 3);
    Run("%%msg after");
    EXPECT_EQ(Status(), "after") << "the next line runs normally";

    // Forty words, each running the next twice: finite, as written, but a
    // trillion lines. Counting what it shows (the last words take turns, so
    // the status line changes every time) keeps this test finite without
    // the limit.
    for (int i = 1; i < 40; ++i) {
        const std::string next = "w" + std::to_string(i + 1);
        ASSERT_TRUE(program->store.WriteIniValue("cmds", "w" + std::to_string(i), Path("zindle.ini"),
                                                 "%%macro " + next + "|" + (i == 39 ? "odd" : next)));
    }
    ASSERT_TRUE(program->store.WriteIniValue("cmds", "w40", Path("zindle.ini"), std::string("%%msg .")));
    ASSERT_TRUE(program->store.WriteIniValue("cmds", "odd", Path("zindle.ini"), std::string("%%msg :")));
    int shown = 0;
    platform->windows.SetLabelChangeHandler([&](const HeadlessLabel& label) {
        if (label.Text() == "." && ++shown == 400'000) interpreter().StopForUnload();
    });
    Run("w1");
    EXPECT_GT(shown, 1000);
    EXPECT_LT(shown, 400'000) << "stopped only by the test";
    EXPECT_EQ(Status(), "Too Much Work! Line Abandoned");
    EXPECT_TRUE(Failed());
}

TEST_F(DispatcherTest, LongFiniteChainsRunToTheEnd) {
    // A hundred thousand commands, five levels of words deep, then a last one.
    std::string ini = "[cmds]\n";
    std::string level = "%%noop";
    for (const char* word : {"w10", "w100", "w1k", "w10k", "w100k"}) {
        ini += std::string(word) + "=%%macro " + level;
        for (int i = 1; i < 10; ++i) ini += "|" + level;
        ini += "\n";
        level = word;
    }
    Start(ini);
    Run("%%macro w100k|%%msg done");
    EXPECT_EQ(Status(), "done");
    EXPECT_FALSE(Failed());

    // A long typed text handed down through many words: what the typed line
    // brings itself is not held against it.
    for (int i = 1; i < 20; ++i) {
        ASSERT_TRUE(program->store.WriteIniValue("cmds", "c" + std::to_string(i), Path("zindle.ini"),
                                                 "c" + std::to_string(i + 1)));
    }
    ASSERT_TRUE(program->store.WriteIniValue("cmds", "c20", Path("zindle.ini"), std::string("%%msg")));
    Run("c1 " + std::string(2'000'000, 'x') + " end");
    EXPECT_TRUE(Status().ends_with("x end"));
    EXPECT_FALSE(Failed());
}

TEST_F(DispatcherTest, LimitInsideAMacroStopsOnlyThatPart) {
    Start("[cmds]\nloop=loop\n[cfg]\nrecurse=4\n");
    Run("%%macro loop|%%msg next");
    EXPECT_EQ(Status(), "next");
    EXPECT_EQ(interpreter().Depth(), 0);
}

TEST_F(DispatcherTest, ALineThatRanNothingNestedLeavesTheCounterAtZero) {
    Start("[cmds]\ne=%%macro\np=%%parse %%macro ||\n$hotkey1=%%macro\n");
    for (const char* line : {"e", "p", "$hotkey1 ", "%%macro"}) {
        Run(line);
        EXPECT_EQ(interpreter().Depth(), 0) << line;
        EXPECT_EQ(Status(), "Zindle - OK") << line;
    }
    // The next unknown word is handled at the top again: failed, kept out of the history.
    Run("nosuchword");
    EXPECT_TRUE(Failed());
}

TEST_F(DispatcherTest, AFailureAnywhereInTheLineIsNotFollowedByTheOkText) {
    Start("[cmds]\nlaunch=%%exe /nonexistent/prog\nboth=%%macro launch|%%open " + Path("") + "\n");
    const std::string exeError = "Error performing '%%exe /nonexistent/prog'";
    // A later successful launch in the same line does not turn the failure into success.
    Run("%%macro %%exe /nonexistent/prog|%%open " + Path(""));
    EXPECT_EQ(Status(), exeError);
    EXPECT_TRUE(Failed());
    // Two levels down the failure is shown and stays, though the line still enters the history.
    Run("both");
    EXPECT_EQ(Status(), exeError);
    EXPECT_FALSE(Failed());
    Run("%%noop");
    EXPECT_EQ(Status(), "Zindle - OK") << "the next line starts afresh";
}

TEST_F(DispatcherTest, QuitStopsEverythingAfterIt) {
    Start("[cmds]\nbye=%%macro %%quit|%%msg never\n");
    Run("bye");
    EXPECT_TRUE(program->Ended());
    EXPECT_EQ(Status(), "-- Quitting, saving History --");
}

TEST_F(DispatcherTest, UnloadingFromAnEventStopsTheRunningEffectAndEveryLaterLine) {
    Start("[cmds]\n!onclock-A=%%quit\n");
    Run("%%clock A mode countdown 0:00:01");
    Run("%%clock A switch on");
    // The clock falls due during the sleep and fires as the message starts typing.
    Run("%%macro %%sleep 2000|%%msg typing this out slowly|%%open http://never.example");
    EXPECT_TRUE(program->Ended());
    EXPECT_EQ(Status(), "-- Quitting, saving History --");
    EXPECT_EQ(Count("open: http://never.example"), 0);
}

TEST_F(DispatcherTest, TheExitButtonDuringALineStopsItToo) {
    Start();
    auto timer = program->bar()->window().CreateTimer("exit");
    timer->SetInterval(30);
    timer->SetHandler([&] {
        timer->SetEnabled(false);
        program->bar()->Exit();
    });
    timer->SetEnabled(true);
    Run("%%macro %%msg typing this out slowly|%%open http://never.example");
    EXPECT_EQ(Status(), "-- Quitting, saving History --");
    EXPECT_EQ(Count("open: http://never.example"), 0);
}

TEST_F(DispatcherTest, LongLinesWithManyFieldsAreHandled) {
    Start("[cmds]\nx=%%parse %%msg %%3 %%2||\n");
    std::string args;
    for (int i = 1; i <= 10000; ++i) args += " w" + std::to_string(i);
    Run("x" + args);
    EXPECT_EQ(Status(), "w3 w2");
}

}  // namespace
}  // namespace zindle
