// What happens to the user's files when things go wrong around the program:
// it is killed while it saves, a second instance edits the same files at the
// same moment, or the file system refuses to take what it writes.

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "hostile_fixture.h"
#include "profile/history_file.h"
#include "profile/private_profile_engine.h"

namespace zindle {
namespace {

using CrashSafetyTest = HostileTest;

// One whole life of the program in directory: start-up, a command saved
// with "%%save", a history, and the unload that saves history and settings.
// False when something on the way reported a failure.
bool Life(const std::string& directory, const std::string& value, const std::vector<std::string>& history,
          const std::string& commandLine = "", bool anotherInstance = false) {
    HeadlessOptions options;
    options.programDirectory = directory;
    options.commandLine = commandLine;
    options.anotherInstanceRunning = anotherInstance;
    HeadlessPlatform platform(options, [](const std::string&) {});
    Platform bundle = platform.Bundle();
    Program program(bundle);
    if (!program.StartupMain()) return false;
    program.interpreter.RunCommand("%%save big " + value);
    const bool saved = !program.interpreter.gCommandFailed;
    program.history.gHistory = history;
    program.bar()->Unload();
    return saved;
}

TEST_F(CrashSafetyTest, AProgramKilledWhileSavingLeavesEachFileOldOrNew) {
    const std::string directory = dir.Path().string();
    const std::string small(100, 's');
    const std::string large(20000, 'L');
    std::vector<std::string> longHistory;
    for (int i = 0; i < 60; ++i) longHistory.push_back("entry " + std::to_string(i) + " " + std::string(200, 'h'));
    const std::vector<std::string> shortHistory = {"one", "two"};

    // The two states a life leaves, whatever came before it.
    ASSERT_TRUE(Life(directory, small, shortHistory));
    ASSERT_TRUE(Life(directory, large, longHistory));
    const std::string iniLarge = ReadFile("zindle.ini");
    const std::string historyLong = ReadFile("history.ini");
    ASSERT_TRUE(Life(directory, small, shortHistory));
    const std::string iniSmall = ReadFile("zindle.ini");
    const std::string historyShort = ReadFile("history.ini");
    ASSERT_NE(iniSmall, iniLarge);
    ASSERT_NE(historyShort, historyLong);

    std::mt19937 random(11);
    int changes = 0;
    std::string lastIni = iniSmall;
    // The kill comes within this many microseconds; it widens while no life
    // has finished yet (a disk slow to sync, a loaded machine).
    std::uint32_t window = 6000;
    for (int round = 0; round < 200; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) Life(directory, i % 2 ? small : large, i % 2 ? shortHistory : longHistory);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % window));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);

        const std::string ini = ReadFile("zindle.ini");
        const std::string history = ReadFile("history.ini");
        ASSERT_TRUE(ini == iniSmall || ini == iniLarge) << "round " << round;
        ASSERT_TRUE(history == historyShort || history == historyLong) << "round " << round;
        changes += ini != lastIni;
        lastIni = ini;
        if (changes == 0) window = std::min<std::uint32_t>(window + window / 8, 200'000);
    }
    EXPECT_GT(changes, 0) << "the killed program did get its work done now and then";

    // A temporary file a killed writer left goes with the next save.
    ASSERT_TRUE(Life(directory, small, shortHistory));
    ASSERT_TRUE(Life(directory, large, longHistory));
    for (const std::string& name : dir.Entries()) EXPECT_EQ(name.find("zindle-tmp"), std::string::npos) << name;
    PrivateProfileEngine engine;
    ProfileStore store(engine);
    EXPECT_TRUE(LoadHistoryFile(store, Path("history.ini")) == longHistory);
}

TEST_F(CrashSafetyTest, TwoInstancesSavingAndDeletingAtOnceLoseNoUpdate) {
    WriteFile("zindle.ini", "[cmds]\nshared=%%msg shared\n");
    constexpr int kCommands = 150;
    std::vector<pid_t> children;
    for (const std::string prefix : {"a", "b"}) {
        children.push_back(::fork());
        ASSERT_GE(children.back(), 0);
        if (children.back() != 0) continue;
        HeadlessOptions options;
        options.programDirectory = dir.Path().string();
        options.commandLine = "/multi";
        options.anotherInstanceRunning = true;
        HeadlessPlatform platform(options, [](const std::string&) {});
        Platform bundle = platform.Bundle();
        Program program(bundle);
        if (!program.StartupMain()) ::_exit(2);
        // Runs a line as the bar does; false when it failed or showed something else.
        const auto run = [&](const std::string& line, const std::string& status) {
            program.interpreter.gMessageShown = false;
            program.interpreter.gCommandFailed = false;
            program.interpreter.RunCommand(line);
            return !program.interpreter.gCommandFailed && program.bar()->StatusLine().Text() == status;
        };
        for (int i = 0; i < kCommands; ++i) {
            const std::string word = prefix + std::to_string(i);
            if (!run("%%save " + word + " %%msg " + word, "Zindle - OK")) ::_exit(3);
            if (!run(word, word) || !run("shared", "shared")) ::_exit(4);
            if (i % 3 == 2 && !run("%%delete " + prefix + std::to_string(i - 1), "Zindle - OK")) ::_exit(5);
        }
        program.bar()->Unload();
        ::_exit(0);
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "exit status " << status;
    }

    PrivateProfileEngine engine;
    for (const std::string prefix : {"a", "b"}) {
        for (int i = 0; i < kCommands; ++i) {
            const std::string word = prefix + std::to_string(i);
            const bool deleted = i % 3 == 1 && i + 1 < kCommands;
            EXPECT_EQ(engine.GetString("cmds", word, "<none>", 255, Path("zindle.ini")),
                      deleted ? "<none>" : "%%msg " + word);
        }
    }
    EXPECT_EQ(engine.GetString("cmds", "shared", "", 255, Path("zindle.ini")), "%%msg shared");
    EXPECT_EQ(engine.GetString("cfg", "okmsg", "", 255, Path("zindle.ini")), "Zindle - OK");
}

// The soft limit on file sizes stands in for a full disk: every write that
// would make a file larger fails with EFBIG, also for root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
        previous_ = ::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        ::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    sighandler_t previous_ = SIG_DFL;
};

TEST_F(CrashSafetyTest, AFullDiskMakesWritesFailAndTheProgramSaySo) {
    ASSERT_TRUE(Start("[cmds]\nhi=%%msg hi\n"));
    const std::string before = ReadFile("zindle.ini");
    const std::size_t limit = before.size() + 100;
    {
        const FileSizeLimit full(limit);
        const std::string big(5000, 'x');
        Run("%%save big " + big);
        EXPECT_EQ(Status(), "Error performing '%%save big " + big + "'");
        EXPECT_TRUE(Failed());
        EXPECT_EQ(ReadFile("zindle.ini"), before);
        Run("%%save small 1");
        EXPECT_FALSE(Failed()) << "what still fits is written";
        Run("hi");
        EXPECT_EQ(Status(), "hi");
        // The history does not fit, the settings only in part: nothing is
        // said, nothing breaks, each file stays whole.
        program->history.gHistory = {std::string(5000, 'h')};
        Quit();
    }
    const std::string after = ReadFile("zindle.ini");
    EXPECT_TRUE(after.starts_with(before + "small=1\n[cfg]\n")) << after;
    EXPECT_LE(after.size(), limit);
    EXPECT_TRUE(after.ends_with("\n"));
    EXPECT_FALSE(std::filesystem::exists(Path("history.ini")));
    for (const std::string& name : dir.Entries()) EXPECT_EQ(name.find("zindle-tmp"), std::string::npos) << name;
}

TEST_F(CrashSafetyTest, WhereNoFileCanBeWrittenTheProgramRunsOnAndSaysSo) {
    // A program directory below a plain file (every call fails with ENOTDIR,
    // as on a medium that went away), and a zindle.ini that is a directory.
    WriteFile("plain", "x");
    std::filesystem::create_directory(Path("folder"));
    std::filesystem::create_directory(Path("folder/zindle.ini"));
    for (const std::string& programDir : {Path("plain") + "/sub", Path("folder")}) {
        SCOPED_TRACE(programDir);
        program.reset();
        ASSERT_TRUE(StartIn(programDir));
        Run("%%save w x");
        EXPECT_EQ(Status(), "Error performing '%%save w x'");
        EXPECT_TRUE(Failed());
        Run("%%delete cfg");
        EXPECT_EQ(Status(), "Error performing '%%delete cfg'");
        Run("%%up");
        Run("%%msg alive");
        EXPECT_EQ(Status(), "alive");
        program->history.gHistory = {"typed"};
        Quit();
    }
    EXPECT_EQ(ReadFile("plain"), "x");
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"folder", "plain"}));
    EXPECT_TRUE(std::filesystem::is_empty(Path("folder/zindle.ini")));
    EXPECT_TRUE(std::filesystem::exists(Path("folder/history.ini"))) << "the history could go";
}

TEST_F(CrashSafetyTest, ReadOnlyFilesAreLeftAloneAndTheProgramSaysSo) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
    ASSERT_TRUE(Start("[cmds]\nhi=%%msg hi\n"));
    const std::string before = ReadFile("zindle.ini");
    ::chmod(Path("zindle.ini").c_str(), 0444);
    Run("%%save w x");
    EXPECT_EQ(Status(), "Error performing '%%save w x'");
    EXPECT_TRUE(Failed());
    Run("hi");
    EXPECT_EQ(Status(), "hi");
    Quit();
    ::chmod(Path("zindle.ini").c_str(), 0644);
    EXPECT_EQ(ReadFile("zindle.ini"), before);
}

}  // namespace
}  // namespace zindle
