#pragma once
// The operations through which the program reads and writes its INI files.
// Nothing is cached here: every read goes to the file, every write goes to
// the file at once.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/profile_files.h"

namespace zindle {

class ProfileStore {
public:
    explicit ProfileStore(ProfileFiles& files);

    // The stored value, or the default (trailing spaces removed) when the
    // file, section or key is missing; at most 254 characters either way.
    std::string ReadIniValue(std::string_view section, std::string_view key, std::string_view defaultValue,
                             const std::string& path);

    // ReadIniValue of each key of the section, all as of one moment.
    std::vector<std::string> ReadIniValues(std::string_view section, std::span<const std::string> keys,
                                           std::string_view defaultValue, const std::string& path);

    // True when the value, stripped of spaces at both ends, is not empty.
    bool IniHasValue(std::string_view section, std::string_view key, const std::string& path);

    // Stores key=value, creating the file and section when needed; a null
    // value deletes the key, an empty one keeps it with an empty value.
    bool WriteIniValue(std::string_view section, std::string_view key, const std::string& path,
                       std::optional<std::string_view> value);

    // Stores each key=value into the section, in order, in one write where
    // the platform allows; false when any could not be written.
    bool WriteIniValues(std::string_view section, std::span<const std::pair<std::string, std::string>> values,
                        const std::string& path);

    // Replaces the section's keys by the block "k1=v1\0k2=v2\0\0".
    bool WriteIniSection(std::string_view section, std::string_view block, const std::string& path);

    ProfileFiles& Files();

private:
    ProfileFiles& files_;
};

}  // namespace zindle
