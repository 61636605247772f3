#pragma once
// A fresh engine and a file path in a directory of its own, for the tests
// of what the engine does beyond the Windows functions.

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "profile/private_profile_engine.h"
#include "temp_dir.h"

namespace zindle::test {

class EngineTest : public ::testing::Test {
protected:
    std::string Get(std::string_view section, std::string_view key, const std::string& path) {
        return engine_.GetString(section, key, "<default>", 255, path);
    }

    TempDir dir_;
    std::string path_ = dir_.File("test.ini");
    PrivateProfileEngine engine_;
};

}  // namespace zindle::test
