// The conformance cases against Windows' own private-profile functions: what
// the engine is held to is what Windows does (the engine's own run of them
// is in the profile suite).

#include <gtest/gtest.h>

#include "profile_files_conformance.h"
#include "windows_profile_functions.h"

namespace zindle::test {

INSTANTIATE_TEST_SUITE_P(Windows, ProfileFilesConformance,
                         ::testing::Values(ProfileFilesTarget{
                             "WindowsProfileFunctions",
                             [] { return std::make_unique<WindowsProfileFunctions>(); }, "\r\n"}),
                         [](const auto& info) { return info.param.name; });

}  // namespace zindle::test
