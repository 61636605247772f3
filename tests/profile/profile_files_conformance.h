#pragma once
// Conformance suite for any ProfileFiles: the observable behaviour of the
// Windows private-profile functions, checked through the three calls only and
// by exact file bytes. Instantiate it with a factory for the implementation
// and the line break that implementation gives a new file.

#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/profile_files.h"
#include "temp_dir.h"

namespace zindle::test {

struct ProfileFilesTarget {
    std::string name;
    std::function<std::unique_ptr<ProfileFiles>()> make;
    std::string newFileNewline;
};

class ProfileFilesConformance : public ::testing::TestWithParam<ProfileFilesTarget> {
protected:
    void SetUp() override { files_ = GetParam().make(); }

    // The text with each "\n" written as the line break the implementation writes.
    std::string Nl(std::string_view text) const;
    std::string Get(std::string_view section, std::string_view key, int bufferSize = 255) {
        return files_->GetString(section, key, "<default>", bufferSize, path_);
    }

    TempDir dir_;
    std::string path_ = dir_.File("test.ini");
    std::unique_ptr<ProfileFiles> files_;
};

}  // namespace zindle::test
