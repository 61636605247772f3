// The memory files must answer the INI engine as the disk would, or the
// fuzz targets check something other than the program.

#include <string>

#include <gtest/gtest.h>

#include "file_system_memory.h"
#include "profile/file_system.h"
#include "profile/private_profile_engine.h"

namespace zindle::fuzz {
namespace {

class MemoryFiles : public ::testing::Test {
protected:
    MemoryFiles() { MakeMemoryDirectories("/prog/skins"); }

    static FileState Stat(const std::string& path) {
        FileStamp stamp;
        return StatFile(path, stamp);
    }

    FreshMemoryFiles files_;
};

TEST_F(MemoryFiles, PathsResolveNameByNameAsOnDisk) {
    ASSERT_TRUE(WriteMemoryFile("/prog/zindle.ini", "[cfg]\n"));
    EXPECT_EQ(Stat("/prog/zindle.ini"), FileState::Present);
    EXPECT_EQ(Stat("//prog/./skins/../zindle.ini"), FileState::Present);
    EXPECT_EQ(Stat(std::string("/prog/zindle.ini\0junk", 21)), FileState::Present);
    EXPECT_EQ(Stat("/../../prog/zindle.ini"), FileState::Present);
    // Every folder on the way must exist, even one that ".." leaves again.
    EXPECT_EQ(Stat("/prog/nothing/../zindle.ini"), FileState::Missing);
    EXPECT_EQ(Stat("/prog/other.ini"), FileState::Missing);
    EXPECT_EQ(Stat(""), FileState::Missing);
    // A file where a folder should be, a folder where a file should be.
    EXPECT_EQ(Stat("/prog/zindle.ini/"), FileState::Unreadable);
    EXPECT_EQ(Stat("/prog/zindle.ini/x"), FileState::Unreadable);
    EXPECT_EQ(Stat("/prog/skins"), FileState::Unreadable);
    EXPECT_EQ(ReadFileBytes("/prog").state, FileState::Unreadable);
    EXPECT_EQ(Stat("/prog/" + std::string(256, 'n')), FileState::Unreadable);
    EXPECT_FALSE(MakeMemoryDirectories("/prog/zindle.ini/sub"));
    // Relative paths start in the working directory.
    ASSERT_TRUE(WriteMemoryFile("here.ini", "x"));
    EXPECT_EQ(ReadMemoryFile(std::string(kMemoryWorkingDirectory) + "/here.ini"), "x");
    EXPECT_EQ(MemoryTree(kMemoryWorkingDirectory), std::vector<std::string>{"here.ini"});
}

TEST_F(MemoryFiles, RewritesReplaceTheFileAndEditsKeepIt) {
    EXPECT_FALSE(FileRewrite("/missing/zindle.ini").Ready());
    EXPECT_FALSE(FileRewrite("/prog/").Ready());

    FileStamp first;
    {
        FileRewrite rewrite("/prog/zindle.ini");
        ASSERT_TRUE(rewrite.Ready());
        EXPECT_EQ(rewrite.Read().state, FileState::Missing);
        ASSERT_TRUE(rewrite.Replace("[cfg]\n", first));
    }
    const FileSnapshot snapshot = ReadFileBytes("/prog/zindle.ini");
    EXPECT_EQ(snapshot.bytes, "[cfg]\n");
    EXPECT_EQ(snapshot.stamp, first);

    // Another program editing in place: same file, new times.
    ASSERT_TRUE(WriteMemoryFile("/prog/zindle.ini", "[cfg]\r\n"));
    FileStamp edited;
    ASSERT_EQ(StatFile("/prog/zindle.ini", edited), FileState::Present);
    EXPECT_EQ(edited.inode, first.inode);
    EXPECT_NE(edited, first);

    FileStamp second;
    FileRewrite rewrite("/prog/zindle.ini");
    ASSERT_TRUE(rewrite.Replace("[cmds]\n", second));
    EXPECT_NE(second.inode, first.inode);
    // The disk keeps no temporary file whose name would pass NAME_MAX.
    FileStamp ignored;
    EXPECT_FALSE(FileRewrite("/prog/" + std::string(250, 'n')).Replace("x", ignored));
    EXPECT_EQ(MemoryTree("/"), (std::vector<std::string>{"prog", "prog/skins", "prog/zindle.ini"}));
}

TEST_F(MemoryFiles, NoStampRepeatsAfterAReset) {
    ASSERT_TRUE(WriteMemoryFile("/prog/zindle.ini", "[cfg]\n"));
    FileStamp before;
    ASSERT_EQ(StatFile("/prog/zindle.ini", before), FileState::Present);
    ResetMemoryFiles();
    EXPECT_TRUE(MemoryTree("/").empty());
    EXPECT_EQ(Stat("/prog/zindle.ini"), FileState::Missing);
    ASSERT_TRUE(MakeMemoryDirectories("/prog/skins"));
    ASSERT_TRUE(WriteMemoryFile("/prog/zindle.ini", "[cfg]\n"));
    FileStamp after;
    ASSERT_EQ(StatFile("/prog/zindle.ini", after), FileState::Present);
    EXPECT_NE(after, before);
}

// The engine's cache trusts a settled stamp: an edit of the same size must
// still be seen, soon after a write and long after it.
TEST_F(MemoryFiles, TheEngineSeesEveryEdit) {
    PrivateProfileEngine engine;
    const std::string path = "/prog/zindle.ini";
    ASSERT_TRUE(engine.WriteString("cmds", "a", "1", path));
    for (const char* value : {"2", "3"}) {
        ASSERT_TRUE(WriteMemoryFile(path, std::string("[cmds]\na=") + value + "\n"));
        EXPECT_EQ(engine.GetString("cmds", "a", "", 255, path), value);
        for (int i = 0; i < 20; ++i) WallClockNs();  // the file settles
        EXPECT_EQ(engine.GetString("cmds", "a", "", 255, path), value);
    }
}

}  // namespace
}  // namespace zindle::fuzz
