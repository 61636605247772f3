// The conformance cases against Windows' own private-profile functions, and
// what the wide functions add: the code page check and UTF-16 files.

#include <gtest/gtest.h>

#include "frontends/win32/win32_profile_files.h"
#include "profile_files_conformance.h"

namespace zindle::test {

INSTANTIATE_TEST_SUITE_P(Windows, ProfileFilesConformance,
                         ::testing::Values(ProfileFilesTarget{
                             "Win32ProfileFiles", [] { return std::make_unique<Win32ProfileFiles>(); }, "\r\n"}),
                         [](const auto& info) { return info.param.name; });

namespace {

class Win32ProfileFilesTest : public ::testing::Test {
protected:
    TempDir dir_;
    std::string path_ = dir_.File("zindle.ini");
    Win32ProfileFiles files_;
};

TEST_F(Win32ProfileFilesTest, TextOutsideAnAnsiFilesCodePageIsRefusedNotWrittenAsQuestionMarks) {
    // Windows-1252: "crème" fits and is written as the byte E8.
    WriteBytes(path_, "[cmds]\r\nold=caf\xE9\r\n");
    ASSERT_TRUE(files_.WriteString("cmds", "new", "cr\xC3\xA8me", path_));
    EXPECT_EQ(ReadBytes(path_), "[cmds]\r\nold=caf\xE9\r\nnew=cr\xE8me\r\n");
    EXPECT_EQ(files_.GetString("cmds", "old", "", 255, path_), "caf\xC3\xA9");

    // Japanese does not fit: the write fails and the file stays as it was.
    const std::string before = ReadBytes(path_);
    EXPECT_FALSE(files_.WriteString("cmds", "jp", "\xE6\x97\xA5\xE6\x9C\xAC", path_));
    EXPECT_FALSE(files_.WriteString("\xE6\x97\xA5", "k", "v", path_));
    EXPECT_FALSE(files_.WriteSection("cmds", std::string("a=\xE6\x97\xA5\0\0", 7), path_));
    EXPECT_EQ(ReadBytes(path_), before);
}

TEST_F(Win32ProfileFilesTest, Utf16FilesTakeAnyCharacterAndCutsCountCharacters) {
    WriteBytes(path_, std::string("\xFF\xFE[\0s\0]\0\r\0\n\0", 12));
    ASSERT_TRUE(files_.WriteString("s", "jp", "\xE6\x97\xA5\xE6\x9C\xAC", path_));
    EXPECT_EQ(files_.GetString("s", "jp", "", 255, path_), "\xE6\x97\xA5\xE6\x9C\xAC");

    // 300 two-byte characters are cut to 254 characters, not 254 bytes.
    std::string long_;
    for (int i = 0; i < 300; ++i) long_ += "\xC3\xA9";
    ASSERT_TRUE(files_.WriteString("s", "long", long_, path_));
    EXPECT_EQ(files_.GetString("s", "long", "", 255, path_), long_.substr(0, 508));
}

}  // namespace
}  // namespace zindle::test
