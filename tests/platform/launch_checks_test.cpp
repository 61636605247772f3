#include "platform/posix/launch_checks.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "temp_dir.h"

namespace zindle {
namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, bool executable) {
    std::ofstream(path) << "#!/bin/sh\n";
    fs::permissions(path, executable ? fs::perms::owner_all : fs::perms::owner_read | fs::perms::owner_write);
}

// Runs the test body inside the temporary directory, with PATH set as given.
class LaunchChecks : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(dir_.Path().empty());
        oldDirectory_ = fs::current_path();
        fs::current_path(dir_.Path());
        if (const char* path = getenv("PATH")) {
            oldPath_ = path;
        }
        fs::create_directory("folder");
        std::ofstream("folder/file.txt") << "x";
    }
    void TearDown() override {
        fs::current_path(oldDirectory_);
        if (oldPath_) {
            setenv("PATH", oldPath_->c_str(), 1);
        } else {
            unsetenv("PATH");
        }
    }

    TempDir dir_;
    fs::path oldDirectory_;
    std::optional<std::string> oldPath_;
};

TEST(IsUrl, NeedsASchemeOfTwoCharactersOrMore) {
    EXPECT_TRUE(IsUrl("http://example.com"));
    EXPECT_TRUE(IsUrl("mailto:someone@example.com"));
    EXPECT_TRUE(IsUrl("svn+ssh://host/x"));
    EXPECT_FALSE(IsUrl(R"(C:\x)"));
    EXPECT_FALSE(IsUrl("c:/x"));
    EXPECT_FALSE(IsUrl("1http://x"));
    EXPECT_FALSE(IsUrl("my file:x"));
    EXPECT_FALSE(IsUrl(""));
}

TEST_F(LaunchChecks, ClassifiesTargetsAsTheWindowsShellWould) {
    const std::string absolute = (dir_.Path() / "folder" / "file.txt").string();
    EXPECT_EQ(ClassifyOpenTarget(absolute), 33);
    EXPECT_EQ(ClassifyOpenTarget("folder/file.txt"), 33);
    EXPECT_EQ(ClassifyOpenTarget("folder"), 33);
    EXPECT_EQ(ClassifyOpenTarget("folder/"), 33);
    EXPECT_EQ(ClassifyOpenTarget("https://example.com/?q=1"), 33);

    EXPECT_EQ(ClassifyOpenTarget("folder/missing.txt"), 2);
    EXPECT_EQ(ClassifyOpenTarget("missing.txt"), 2);
    EXPECT_EQ(ClassifyOpenTarget("folder/missing/"), 2);
    EXPECT_EQ(ClassifyOpenTarget(R"(C:\x)"), 2);  // a file name here, not an address
    EXPECT_EQ(ClassifyOpenTarget(""), 2);
    EXPECT_EQ(ClassifyOpenTarget(std::string("folder\0/file.txt", 16)), 2);

    EXPECT_EQ(ClassifyOpenTarget("nowhere/file.txt"), 3);
    EXPECT_EQ(ClassifyOpenTarget("folder/file.txt/x"), 3);  // the "folder" is a file
    EXPECT_EQ(ClassifyOpenTarget((dir_.Path() / "a" / "b" / "c").string()), 3);
}

TEST_F(LaunchChecks, FindsExecutablesByPathOrOnPath) {
    fs::create_directory("bin");
    WriteFile("bin/tool", true);
    WriteFile("bin/notes", false);
    WriteFile("here", true);

    EXPECT_EQ(FindProgram("bin/tool"), "bin/tool");
    EXPECT_EQ(FindProgram("bin/notes"), std::nullopt);
    EXPECT_EQ(FindProgram("bin"), std::nullopt);
    EXPECT_EQ(FindProgram("bin/missing"), std::nullopt);
    EXPECT_EQ(FindProgram(""), std::nullopt);

    const std::string bin = (dir_.Path() / "bin").string();
    setenv("PATH", ("/nonexistent:" + bin).c_str(), 1);
    EXPECT_EQ(FindProgram("tool"), bin + "/tool");
    EXPECT_EQ(FindProgram("notes"), std::nullopt);
    EXPECT_EQ(FindProgram("here"), std::nullopt);

    // An empty entry stands for the current directory.
    setenv("PATH", ("/nonexistent::" + bin).c_str(), 1);
    EXPECT_EQ(FindProgram("here"), "./here");
}

}  // namespace
}  // namespace zindle
