// The portable engine: what it does beyond the
// Windows functions (byte order marks, line-break styles, refusing writes
// that would break the file, atomic replacement, locking, never writing over
// an unreadable file) and its cache staying true to the file.

#include "profile/private_profile_engine.h"

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine_fixture.h"

namespace zindle::test {
namespace {

using namespace std::literals;

TEST_F(EngineTest, KeepsByteOrderMarkLineBreakStyleAndOddBytes) {
    WriteBytes(path_, "\xEF\xBB\xBF[S]\nk=v\n");
    EXPECT_EQ(Get("S", "k", path_), "v");
    ASSERT_TRUE(engine_.WriteString("T", "k", "w", path_));
    EXPECT_EQ(ReadBytes(path_), "\xEF\xBB\xBF[S]\nk=v\n[T]\nk=w\n");

    for (const std::string nl : {"\r\n", "\r"}) {
        WriteBytes(path_, "[S]" + nl + "a=1");
        ASSERT_TRUE(engine_.WriteString("S", "b", "2", path_));
        ASSERT_TRUE(engine_.WriteSection("U", "d=4\0\0"sv, path_));
        EXPECT_EQ(ReadBytes(path_), "[S]" + nl + "a=1" + nl + "b=2" + nl + "[U]" + nl + "d=4" + nl);
    }

    const std::string big(1 << 20, 'x');
    const std::string head = "junk\0\xff\xfe\n[S]\nbig="s + big + "\nbad=\xc3\x28\n";
    const std::string tail = "tail\0\x80 and no final line break"s;
    WriteBytes(path_, head + "k=old\n" + tail);
    EXPECT_EQ(Get("S", "big", path_), big.substr(0, 254));
    EXPECT_EQ(Get("S", "bad", path_), "Ã(") << "a file that is not UTF-8 reads as Windows-1252";
    ASSERT_TRUE(engine_.WriteString("S", "k", "new", path_));
    EXPECT_EQ(ReadBytes(path_), head + "k=new\n" + tail);
}

TEST_F(EngineTest, RefusesWritesThatWouldBreakTheFile) {
    WriteBytes(path_, "[S]\nk=v\n");
    EXPECT_FALSE(engine_.WriteString("S", "k", "a\nb", path_));
    EXPECT_FALSE(engine_.WriteString("S", "k", "a\rb", path_));
    EXPECT_FALSE(engine_.WriteString("S", "a\nb", "v", path_));
    EXPECT_FALSE(engine_.WriteString("S\r", "k", std::nullopt, path_));
    EXPECT_FALSE(engine_.WriteSection("S", "a=1\nb=2\0\0"sv, path_));
    // Names and lines that could never be read back as written.
    EXPECT_FALSE(engine_.WriteString("a]b", "k", "v", path_));
    EXPECT_FALSE(engine_.WriteString("S", "a=b", "v", path_));
    EXPECT_FALSE(engine_.WriteString("S", ";k", "v", path_));
    EXPECT_FALSE(engine_.WriteString("S", "[k", "v", path_));
    EXPECT_FALSE(engine_.WriteString("S", "\tk", "v", path_));
    EXPECT_FALSE(engine_.WriteSection("S", "a=1\0 [X]\0\0"sv, path_));
    EXPECT_EQ(ReadBytes(path_), "[S]\nk=v\n");
}

TEST_F(EngineTest, WritesManyValuesInOneRewriteAsTheCallsOneByOneWould) {
    using Values = std::vector<std::pair<std::string, std::string>>;
    const Values values = {{"UseMain", "yes"}, {"a=b", "refused"}, {"NEW", "1"}, {"skin", ""},
                           {"ok", "line\nbreak"}, {"new", "2"}, {"Caf\xC3\xA9", "cr\xC3\xA8me"}};
    const std::string batch = dir_.File("batch.ini");
    for (const std::string& start : {""s, "[cfg]\r\nusemain = no\r\n;c\r\n\r\n[x]\r\nk=v"s,
                                     "[CFG]\nskin=a\nSKIN=b\n[cfg]\nnew=0\n"s, "\xEF\xBB\xBF[y]\n"s,
                                     "[cfg]\ncaf\xE9=th\xE9\n"s}) {
        WriteBytes(path_, start);
        WriteBytes(batch, start);
        const bool oneByOne = engine_.ProfileFiles::WriteStrings("cfg", values, path_);
        EXPECT_EQ(engine_.WriteStrings("cfg", values, batch), oneByOne);
        EXPECT_FALSE(oneByOne) << "a refused key or value makes the whole call fail";
        EXPECT_EQ(ReadBytes(batch), ReadBytes(path_)) << start;
    }

    // Values the file already holds leave it untouched.
    struct stat before {};
    struct stat after {};
    ASSERT_EQ(::stat(batch.c_str(), &before), 0);
    EXPECT_TRUE(engine_.WriteStrings("cfg", Values{{"UseMain", "yes"}, {"new", "2"}}, batch));
    ASSERT_EQ(::stat(batch.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
}

TEST_F(EngineTest, ReplacesFilesAtomicallyKeepingModeAndLinks) {
    const std::string real = dir_.File("real.ini");
    WriteBytes(real, "[S]\nk=1\n");
    ::chmod(real.c_str(), 0640);
    ASSERT_EQ(::symlink("real.ini", path_.c_str()), 0);

    ASSERT_TRUE(engine_.WriteString("S", "k", "2", path_));
    ASSERT_TRUE(engine_.WriteString("S", "gone", std::nullopt, dir_.File("absent.ini")));
    struct stat info {};
    ASSERT_EQ(::lstat(path_.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    ASSERT_EQ(::stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadBytes(real), "[S]\nk=2\n");
    // Neither a temporary file nor a file for a deletion that had nothing to do.
    EXPECT_EQ(dir_.Entries(), (std::vector<std::string>{"real.ini", "test.ini"}));
}

TEST_F(EngineTest, NeverWritesOverAFileItCannotRead) {
    ASSERT_EQ(::mkdir(path_.c_str(), 0700), 0);
    EXPECT_EQ(Get("S", "k", path_), "<default>");
    EXPECT_FALSE(engine_.WriteString("S", "k", "v", path_));
    EXPECT_FALSE(engine_.WriteSection("S", "k=v\0\0"sv, path_));
    EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"test.ini"});
}

TEST_F(EngineTest, LeavesFilesWithoutPermissionAlone) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
    for (mode_t mode : {0000, 0444}) {
        WriteBytes(path_, "[S]\nk=old\n");
        ::chmod(path_.c_str(), mode);
        EXPECT_FALSE(engine_.WriteString("S", "k", "new", path_)) << mode;
        ::chmod(path_.c_str(), 0600);
        EXPECT_EQ(ReadBytes(path_), "[S]\nk=old\n") << mode;
    }
}

TEST_F(EngineTest, SeesEveryChangeMadeByOthers) {
    WriteBytes(path_, "[S]\nk=aaa\n");
    EXPECT_EQ(Get("S", "k", path_), "aaa");
    // Rewritten in place at once: same inode, same size, maybe the same tick.
    WriteBytes(path_, "[S]\nk=bbb\n");
    EXPECT_EQ(Get("S", "k", path_), "bbb");
    std::this_thread::sleep_for(120ms);
    EXPECT_EQ(Get("S", "k", path_), "bbb");
    WriteBytes(path_, "[S]\nk=ccc\n");
    EXPECT_EQ(Get("S", "k", path_), "ccc");

    PrivateProfileEngine other;
    ASSERT_TRUE(other.WriteString("S", "k", "ddd", path_));
    EXPECT_EQ(Get("S", "k", path_), "ddd");
    ASSERT_TRUE(engine_.WriteString("S", "j", "1", path_));
    EXPECT_EQ(ReadBytes(path_), "[S]\nk=ddd\nj=1\n");
    ::unlink(path_.c_str());
    EXPECT_EQ(Get("S", "k", path_), "<default>");
}

TEST_F(EngineTest, AKilledWriterLeavesTheOldFileOrTheNew) {
    const std::string small(3000, 's');
    const std::string large(20000, 'L');
    const std::string prefix = "; kept\n[S]\nk=";
    WriteBytes(path_, prefix + small + "\n");
    std::mt19937 random(7);
    int roundsEndingLarge = 0;
    // The kill comes within this many microseconds; it widens while the
    // writer never finishes a write (a disk slow to sync, a loaded machine).
    std::uint32_t window = 4000;
    for (int round = 0; round < 250; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            PrivateProfileEngine writer;
            for (int i = 0;; ++i) writer.WriteString("S", "k", i % 2 ? small : large, path_);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % window));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string bytes = ReadBytes(path_);
        ASSERT_TRUE(bytes == prefix + small + "\n" || bytes == prefix + large + "\n") << "round " << round;
        roundsEndingLarge += bytes.size() > 10000;
        if (roundsEndingLarge == 0) window = std::min<std::uint32_t>(window + window / 8, 200'000);
    }
    EXPECT_GT(roundsEndingLarge, 0);  // the writer did get work done
    ASSERT_TRUE(engine_.WriteString("S", "k", "done", path_));
    EXPECT_EQ(ReadBytes(path_), prefix + "done\n");
    EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"test.ini"});
}

TEST_F(EngineTest, ConcurrentWritersLoseNoKey) {
    std::vector<pid_t> children;
    for (const char* prefix : {"a", "b"}) {
        children.push_back(::fork());
        ASSERT_GE(children.back(), 0);
        if (children.back() == 0) {
            PrivateProfileEngine writer;
            for (int i = 0; i < 200; ++i) {
                if (!writer.WriteString("S", prefix + std::to_string(i), "v", path_)) ::_exit(1);
            }
            ::_exit(0);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (const char* prefix : {"a", "b"}) {
        for (int i = 0; i < 200; ++i) EXPECT_EQ(Get("S", prefix + std::to_string(i), path_), "v") << prefix << i;
    }
}

}  // namespace
}  // namespace zindle::test
