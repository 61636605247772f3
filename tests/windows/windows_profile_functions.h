#pragma once
// The private-profile calls of Windows itself, through the wide functions:
// the reference the conformance cases are checked against, beside the
// engine the program uses. Existing ANSI files keep their code page byte for
// byte, files saved as UTF-16 are read and written as such.

#include "platform/profile_files.h"

namespace zindle {

class WindowsProfileFunctions : public ProfileFiles {
public:
    std::string GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                          int bufferSize, const std::string& path) override;
    // Both writes fail, writing nothing, when the text has a character the
    // file's code page lacks: Windows would write '?' for it.
    bool WriteString(std::optional<std::string_view> section, std::optional<std::string_view> key,
                     std::optional<std::string_view> value, const std::string& path) override;
    bool WriteSection(std::string_view section, std::string_view block, const std::string& path) override;
};

}  // namespace zindle
