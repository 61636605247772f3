// ProfileStore and the history file, on the portable engine.

#include "profile/profile_store.h"

#include <gtest/gtest.h>

#include "profile/history_file.h"
#include "profile/private_profile_engine.h"
#include "temp_dir.h"

namespace zindle::test {
namespace {

class ProfileStoreTest : public ::testing::Test {
protected:
    TempDir dir_;
    std::string path_ = dir_.File("zindle.ini");
    PrivateProfileEngine engine_;
    ProfileStore store_{engine_};
};

TEST_F(ProfileStoreTest, ReadsAtMost254Characters) {
    std::string accented;
    for (int i = 0; i < 300; ++i) accented += "\xC3\xA9";  // é
    WriteBytes(path_, "[cmds]\nlong=" + std::string(300, 'x') + "\naccented=" + accented + "\n");
    EXPECT_EQ(store_.ReadIniValue("cmds", "LONG", "", path_), std::string(254, 'x'));
    // Characters, not bytes, and never half of one.
    EXPECT_EQ(store_.ReadIniValue("cmds", "accented", "", path_), accented.substr(0, 508));
    EXPECT_EQ(store_.ReadIniValue("cmds", "missing", accented, path_), accented.substr(0, 508));
}

TEST_F(ProfileStoreTest, ManyValuesReadAtOnceAreWhatEachReadGives) {
    std::string accented;
    for (int i = 0; i < 300; ++i) accented += "\xC3\xA9";  // é
    const std::vector<std::string> keys = {"LONG", "accented", "missing", " spaced "};
    EXPECT_EQ(store_.ReadIniValues("cmds", keys, "dflt  ", path_),
              (std::vector<std::string>{"dflt", "dflt", "dflt", "dflt"})) << "no file";
    WriteBytes(path_, "[cmds]\nlong=" + std::string(300, 'x') + "\naccented=" + accented + "\nspaced= \"v\" \n");
    const std::vector<std::string> values = store_.ReadIniValues("CMDS", keys, "dflt  ", path_);
    ASSERT_EQ(values.size(), keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(values[i], store_.ReadIniValue("CMDS", keys[i], "dflt  ", path_)) << keys[i];
    }
    EXPECT_EQ(values[0], std::string(254, 'x'));
    EXPECT_EQ(values[3], "v");
}

TEST_F(ProfileStoreTest, HasValueAndNullVersusEmptyValues) {
    WriteBytes(path_, "[cfg]\nblank=   \nset=1\n");
    EXPECT_FALSE(store_.IniHasValue("cfg", "blank", path_));
    EXPECT_FALSE(store_.IniHasValue("cfg", "missing", path_));
    EXPECT_TRUE(store_.IniHasValue("CFG", "set", path_));

    EXPECT_TRUE(store_.WriteIniValue("cfg", "set", path_, ""));
    EXPECT_TRUE(store_.WriteIniValue("cfg", "blank", path_, std::nullopt));
    EXPECT_EQ(ReadBytes(path_), "[cfg]\nset=\n");
}

TEST_F(ProfileStoreTest, HistoryLoadSkipsBlankEntriesAndBadCounts) {
    WriteBytes(path_, "[history]\ncount=3\n1=first\n2=\n3= \"  \" \n");
    EXPECT_EQ(LoadHistoryFile(store_, path_), std::vector<std::string>{"first"});
    for (const char* count : {"0", "-5", "many", ""}) {
        WriteBytes(path_, std::string("[history]\ncount=") + count + "\n1=x\n");
        EXPECT_TRUE(LoadHistoryFile(store_, path_).empty()) << count;
    }
    EXPECT_TRUE(LoadHistoryFile(store_, dir_.File("missing.ini")).empty());

    // A huge count is read as 32767 keys; the last one readable is 32767.
    WriteBytes(path_, "[history]\ncount=1000000\n1=a\n32767=b\n32768=c\n");
    EXPECT_EQ(LoadHistoryFile(store_, path_), (std::vector<std::string>{"a", "b"}));
}

TEST_F(ProfileStoreTest, HistorySaveReplacesTheSection) {
    WriteBytes(path_, "[history]\ncount=9\n; mine\n9=old\n[other]\nx=1\n");
    ASSERT_TRUE(SaveHistoryFile(store_, path_, {"run a", "bad\nline", " spaced ", "b"}));
    EXPECT_EQ(ReadBytes(path_), "[history]\ncount=3\n1=run a\n2= spaced \n3=b\n; mine\n[other]\nx=1\n");
    EXPECT_EQ(LoadHistoryFile(store_, path_), (std::vector<std::string>{"run a", "spaced", "b"}));

    ASSERT_TRUE(SaveHistoryFile(store_, path_, {}));
    EXPECT_EQ(ReadBytes(path_), "[history]\ncount=0\n; mine\n[other]\nx=1\n");
}

}  // namespace
}  // namespace zindle::test
