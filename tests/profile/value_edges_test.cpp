// The edges of reading values and settings: the shortest quoted values and
// the caps on the numeric settings.

#include <gtest/gtest.h>

#include "profile/private_profile_engine.h"
#include "profile/profile_store.h"
#include "profile/program_settings.h"
#include "temp_dir.h"

namespace zindle::test {
namespace {

class ValueEdgesTest : public ::testing::Test {
protected:
    std::string Get(const std::string& key) { return store_.ReadIniValue("S", key, "<default>", path_); }
    ProgramSettings Behaviour(const std::string& cfg) {
        WriteBytes(path_, "[cfg]\n" + cfg);
        ProgramSettings settings;
        settings.gIniPath = path_;
        ReadBehaviourSettings(store_, settings);
        return settings;
    }

    TempDir dir_;
    std::string path_ = dir_.File("zindle.ini");
    PrivateProfileEngine engine_;
    ProfileStore store_{engine_};
};

TEST_F(ValueEdgesTest, AQuotePairAloneIsAnEmptyValue) {
    WriteBytes(path_, "[S]\nd=\"\"\ns=''\nmixed=\"'\nthree=\"\"\"\nspaced=  \"\"  \n");
    EXPECT_EQ(Get("d"), "");
    EXPECT_EQ(Get("s"), "");
    EXPECT_EQ(Get("mixed"), "\"'");
    EXPECT_EQ(Get("three"), "\"");
    EXPECT_EQ(Get("spaced"), "");
    EXPECT_FALSE(store_.IniHasValue("S", "d", path_));
}

TEST_F(ValueEdgesTest, HistoryAndRecursionSettingsAreCappedNotFloored) {
    ProgramSettings settings = Behaviour("history=5000\nrecurse=300\n");
    EXPECT_EQ(settings.gHistoryLength, kMaxHistoryLength);
    EXPECT_EQ(settings.gRecurseLimit, kMaxRecurseLimit);
    settings = Behaviour("history=2048\nrecurse=256\n");
    EXPECT_EQ(settings.gHistoryLength, 2048);
    EXPECT_EQ(settings.gRecurseLimit, 256);
    settings = Behaviour("history=-3\nrecurse=0\n");
    EXPECT_EQ(settings.gHistoryLength, -3);
    EXPECT_EQ(settings.gRecurseLimit, 0);
    settings = Behaviour("history=  \nrecurse=x\n");
    EXPECT_EQ(settings.gHistoryLength, kDefaultHistoryLength) << "blank means the default";
    EXPECT_EQ(settings.gRecurseLimit, 0) << "text that is no number is 0";
}

}  // namespace
}  // namespace zindle::test
