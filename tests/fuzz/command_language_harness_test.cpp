// The command-language harness runs what the program would run, records
// what it asks of the bar, and forgets all of an input when reset.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "command_language_harness.h"
#include "file_system_memory.h"

namespace zindle::fuzz {
namespace {

bool Asked(const CommandLanguageHarness& harness, const std::string& event) {
    const auto& events = harness.requests.Events();
    return std::find(events.begin(), events.end(), event) != events.end();
}

class CommandLanguageHarnessTest : public ::testing::Test {
protected:
    CommandLanguageHarness harness;
};

TEST_F(CommandLanguageHarnessTest, RunsTheTableAndRecordsWhatTheBarIsAsked) {
    harness.UseSettingsFile(
        "[cfg]\nokmsg=fine\n[cmds]\ng=%%msg stored\nrun=%%exe\n!onclock-A=%%msg ring\n");
    harness.Run("g one two");
    EXPECT_EQ(harness.statusLine.Text(), "stored one two");
    harness.Run("run notepad.exe");
    EXPECT_TRUE(Asked(harness, "exec: notepad.exe"));
    EXPECT_EQ(harness.statusLine.Text(), "fine");
    harness.Run("run missing.exe");
    EXPECT_TRUE(harness.interpreter().gCommandFailed);

    harness.dialogs.QueueAnswer(MessageAnswer::No);
    harness.Run("%%msgbox hello");
    EXPECT_TRUE(Asked(harness, "msgbox: Zindle Script Message | hello | 1 | 0"));

    // A clock counting down runs its command-table entry when idle time passes.
    harness.Run("%%clock A mode countdown 0:00:02");
    harness.Run("%%clock A switch on");
    harness.Wait(3000);
    EXPECT_EQ(harness.statusLine.Text(), "ring");

    harness.Run("%%quit");
    EXPECT_TRUE(Asked(harness, "unload"));
    EXPECT_TRUE(harness.interpreter().QuitRequested());
}

TEST_F(CommandLanguageHarnessTest, ResetForgetsEverythingAnInputChanged) {
    const std::string pristine = harness.Fingerprint();
    harness.UseSettingsFile("[cfg]\nrecurse=5\nokmsg=fine\n[cmds]\n");
    harness.history.gHistory = {"alpha", "beta"};
    harness.dialogs.QueueAnswer(MessageAnswer::Yes);
    harness.Run("%%save w %%msg saved");
    harness.Run("%%forget beta");
    harness.Run("%%setvar _max_recurse 9");
    harness.Run("%%clock B mode countup");
    harness.Run("%%clock B switch on");
    harness.Wait(1500);
    harness.Run("%%quit");
    ASSERT_NE(harness.Fingerprint(), pristine);

    harness.Reset();  // aborts when any of it stayed
    EXPECT_EQ(harness.Fingerprint(), pristine);
    EXPECT_EQ(MemoryTree(harness.programDirectory()), std::vector<std::string>{});
    EXPECT_FALSE(harness.interpreter().QuitRequested());
    harness.Run("w");
    EXPECT_EQ(harness.statusLine.Text(), "...Confused... userverb not found or general err")
        << "the word saved before the reset is gone";
}

TEST_F(CommandLanguageHarnessTest, FingerprintSeesStateLeftAnywhere) {
    const std::string pristine = harness.Fingerprint();
    const auto changes = [&](auto change) {
        change();
        const bool seen = harness.Fingerprint() != pristine;
        harness.Reset();
        return seen;
    };
    EXPECT_TRUE(changes([&] { WriteMemoryFile("/zindle/history.ini", ""); }));
    EXPECT_TRUE(changes([&] { harness.statusLine.SetForeColor(0xFF); }));
    EXPECT_TRUE(changes([&] { harness.dialogs.QueueAnswer(MessageAnswer::No); }));
    EXPECT_TRUE(changes([&] { harness.settings.gCaseSensitive = true; }));
    EXPECT_TRUE(changes([&] { harness.history.gHistoryIndex = 0; }));
    EXPECT_TRUE(changes([&] { harness.Wait(1); }));
    EXPECT_TRUE(changes([&] { harness.interpreter().gLastUserCommand = "x"; }));
}

}  // namespace
}  // namespace zindle::fuzz
