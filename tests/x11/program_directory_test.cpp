#include "frontends/qt/program_directory.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace zindle {
namespace {

namespace fs = std::filesystem;

class ProgramDirectoryTest : public testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("zindle-qt-dir-" + std::to_string(getpid()));
        fs::create_directories(root_ / "bin");
    }
    void TearDown() override {
        fs::permissions(root_ / "bin", fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(root_);
    }
    fs::path root_;
};

TEST_F(ProgramDirectoryTest, TheConfigFolderFollowsTheXdgRules) {
    EXPECT_EQ(UserConfigDirectory("/x/config/", "/home/u"), "/x/config/zindle");
    EXPECT_EQ(UserConfigDirectory("relative", "/home/u"), "/home/u/.config/zindle");
    EXPECT_EQ(UserConfigDirectory(nullptr, "/home/u"), "/home/u/.config/zindle");
    EXPECT_EQ(UserConfigDirectory("", nullptr), "");
}

TEST_F(ProgramDirectoryTest, APortableCopyKeepsItsFilesBesideIt) {
    const std::string config = (root_ / "config/zindle").string();
    EXPECT_EQ(ChooseProgramDirectory((root_ / "bin/").string(), config), (root_ / "bin").string());
    EXPECT_FALSE(fs::exists(config));
}

TEST_F(ProgramDirectoryTest, AnInstalledProgramKeepsItsFilesInTheConfigFolder) {
    if (geteuid() == 0) GTEST_SKIP() << "root may write anywhere";
    const std::string config = (root_ / "config/zindle").string();
    fs::permissions(root_ / "bin", fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_EQ(ChooseProgramDirectory((root_ / "bin").string(), config), config);
    EXPECT_TRUE(fs::is_directory(config));
    // ... unless the read-only folder holds the settings file.
    fs::permissions(root_ / "bin", fs::perms::owner_write, fs::perm_options::add);
    std::ofstream(root_ / "bin/zindle.ini") << "[cfg]\n";
    fs::permissions(root_ / "bin", fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_EQ(ChooseProgramDirectory((root_ / "bin").string(), config), (root_ / "bin").string());
}

// cmake --install --prefix ~/.local: the bin/ is the user's, yet not the program's.
TEST_F(ProgramDirectoryTest, AWritableBinOfAnInstallPrefixIsNotPortable) {
    const std::string config = (root_ / "config/zindle").string();
    fs::create_directories(root_ / "share/zindle");
    EXPECT_EQ(ChooseProgramDirectory((root_ / "bin").string(), config), config);
    std::ofstream(root_ / "bin/zindle.ini") << "[cfg]\n";
    EXPECT_EQ(ChooseProgramDirectory((root_ / "bin").string(), config), (root_ / "bin").string());
}

TEST(InstanceLockTest, EachDisplayHasItsOwnLockAndScreensOfOneDisplayShareIt) {
    EXPECT_EQ(InstanceLockPath("/run/user/1000/", 1000, ":0"), "/run/user/1000/zindle-_0.lock");
    EXPECT_EQ(InstanceLockPath("/run/user/1000", 1000, ":0.1"), "/run/user/1000/zindle-_0.lock");
    EXPECT_EQ(InstanceLockPath("/run/user/1000", 1000, "unix:0"), "/run/user/1000/zindle-_0.lock");
    EXPECT_EQ(InstanceLockPath("/r", 1000, ":1"), "/r/zindle-_1.lock");
    EXPECT_EQ(InstanceLockPath("/r", 1000, "host.example:10.0"), "/r/zindle-host.example_10.lock");
    EXPECT_EQ(InstanceLockPath("/r", 1000, "../../x/y:0"), "/r/zindle-.._.._x_y_0.lock");
    EXPECT_EQ(InstanceLockPath("relative", 1000, ":0"), "/tmp/zindle-1000-_0.lock");
}

TEST_F(ProgramDirectoryTest, SampleSkinsAreCopiedOnceAndNeverOverAUsersFolder) {
    fs::create_directories(root_ / "share/skins/paper");
    std::ofstream(root_ / "share/skins/paper/skin.ini") << "[skin]\n";
    const std::string home = (root_ / "home").string();
    fs::create_directories(home);
    EXPECT_TRUE(SeedSampleSkins(home, (root_ / "share/skins").string()));
    EXPECT_TRUE(fs::is_regular_file(root_ / "home/skins/paper/skin.ini"));

    fs::remove(root_ / "home/skins/paper/skin.ini");
    EXPECT_FALSE(SeedSampleSkins(home, (root_ / "share/skins").string()));
    EXPECT_FALSE(fs::exists(root_ / "home/skins/paper/skin.ini"));
    EXPECT_FALSE(SeedSampleSkins((root_ / "elsewhere").string(), (root_ / "no/such/skins").string()));
}

}  // namespace
}  // namespace zindle
