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
