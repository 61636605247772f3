// The portable engine against the conformance suite.

#include "profile/private_profile_engine.h"

#include "profile_files_conformance.h"

namespace zindle::test {

INSTANTIATE_TEST_SUITE_P(Engine, ProfileFilesConformance,
                         ::testing::Values(ProfileFilesTarget{
                             "PrivateProfileEngine", [] { return std::make_unique<PrivateProfileEngine>(); }, "\n"}),
                         [](const auto& info) { return info.param.name; });

}  // namespace zindle::test
