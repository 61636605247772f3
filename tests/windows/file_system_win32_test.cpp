// The engine's file layer on Windows: a cached file is checked by a query
// of its path, and every change another program makes is still seen by the
// next read.

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "profile/private_profile_engine.h"
#include "temp_dir.h"

namespace zindle {
namespace {

using namespace std::chrono_literals;

class FileSystemWin32Test : public ::testing::Test {
protected:
    std::string Get(const std::string& key) { return engine_.GetString("S", key, "<default>", 255, path_); }

    TempDir dir_;
    std::string path_ = dir_.File("zindle.ini");
    PrivateProfileEngine engine_;
};

TEST_F(FileSystemWin32Test, SeesEveryChangeMadeByOthers) {
    WriteBytes(path_, "[S]\r\nk=aaa\r\n");
    EXPECT_EQ(Get("k"), "aaa");
    // Saved in place as an editor does: same size, maybe the same tick.
    WriteBytes(path_, "[S]\r\nk=bbb\r\n");
    EXPECT_EQ(Get("k"), "bbb");
    std::this_thread::sleep_for(120ms);
    EXPECT_EQ(Get("k"), "bbb");
    // Once settled, the cache trusts the stamp: it must change with the bytes.
    WriteBytes(path_, "[S]\r\nk=ccc\r\n");
    EXPECT_EQ(Get("k"), "ccc");

    // Replaced by a renamed file of the same size.
    const std::string other = dir_.File("other.ini");
    std::this_thread::sleep_for(120ms);
    WriteBytes(other, "[S]\r\nk=ddd\r\n");
    ASSERT_TRUE(MoveFileExW(std::filesystem::path(other).c_str(), std::filesystem::path(path_).c_str(),
                            MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(Get("k"), "ddd");

    PrivateProfileEngine writer;
    ASSERT_TRUE(writer.WriteString("S", "k", "eee", path_));
    EXPECT_EQ(Get("k"), "eee");
    ASSERT_TRUE(engine_.WriteString("S", "j", "1", path_));
    EXPECT_EQ(ReadBytes(path_), "[S]\r\nk=eee\r\nj=1\r\n");

    ASSERT_TRUE(DeleteFileW(std::filesystem::path(path_).c_str()));
    EXPECT_EQ(Get("k"), "<default>");
    ASSERT_TRUE(CreateDirectoryW(std::filesystem::path(path_).c_str(), nullptr));
    EXPECT_EQ(Get("k"), "<default>");
    EXPECT_FALSE(engine_.WriteString("S", "k", "v", path_)) << "a directory is never written over";
}

TEST_F(FileSystemWin32Test, AWriteKeepsTheFilesAttributesAndNeverTouchesAReadOnlyFile) {
    const std::wstring wide = std::filesystem::path(path_).wstring();
    WriteBytes(path_, "[S]\r\nk=1\r\n");
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(engine_.WriteString("S", "k", "2", path_));
    EXPECT_EQ(ReadBytes(path_), "[S]\r\nk=2\r\n");
    EXPECT_TRUE(GetFileAttributesW(wide.c_str()) & FILE_ATTRIBUTE_HIDDEN);

    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(engine_.WriteString("S", "k", "3", path_));
    EXPECT_EQ(ReadBytes(path_), "[S]\r\nk=2\r\n");
    EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"zindle.ini"}) << "no temporary file left";
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileSystemWin32Test, ANewFileIsUtf8) {
    ASSERT_TRUE(engine_.WriteString("cmds", "home", "C:\\Users\\J\xC3\xBCrgen", path_));
    EXPECT_EQ(ReadBytes(path_), "[cmds]\nhome=C:\\Users\\J\xC3\xBCrgen\n");
    PrivateProfileEngine next;
    EXPECT_EQ(next.GetString("cmds", "home", "", 255, path_), "C:\\Users\\J\xC3\xBCrgen");
}

}  // namespace
}  // namespace zindle
