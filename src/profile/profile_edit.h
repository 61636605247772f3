#pragma once
// The changes WritePrivateProfileStringA and WritePrivateProfileSectionA make
// to a file, as functions from the parsed file to its new bytes. Every byte
// outside the lines they touch is copied unchanged. Names are expected
// already trimmed and checked by the caller; newline is the line break the
// written lines get.

#include <string>
#include <string_view>
#include <vector>

#include "profile/profile_document.h"

namespace zindle {

// Sets key=value: replaces the key's line (keeping the file's spelling of the
// key), or adds the line after the section's last key, or appends the section.
std::string WithValue(const ProfileDocument& document, std::string_view section, std::string_view key,
                      std::string_view value, std::string_view newline);

// Removes the key's line; the bytes are unchanged when there is no such key.
std::string WithoutKey(const ProfileDocument& document, std::string_view section, std::string_view key);

// Removes the section's header and key lines; its other lines stay.
std::string WithoutSection(const ProfileDocument& document, std::string_view section);

// Replaces the section's key lines by the given lines, written right after
// the header and before the section's other lines; appends the section when
// it is missing.
std::string WithSection(const ProfileDocument& document, std::string_view section,
                        const std::vector<std::string_view>& lines, std::string_view newline);

}  // namespace zindle
