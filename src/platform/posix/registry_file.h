#pragma once
// Registry binary values kept as files on a POSIX system: the unnamed value
// of HKEY_CURRENT_USER\A\B\C is the file "A/B/C/(default)" under a root folder.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zindle {

// The file that holds key's value under root. Key names with empty, "." or
// ".." parts, or with '/' or NUL in them, have no file.
std::optional<std::string> RegistryValuePath(const std::string& root, const std::string& key);
// nullopt when the key has no file or it cannot be read.
std::optional<std::vector<std::uint8_t>> ReadRegistryFile(const std::string& root, const std::string& key);
// Written to a temporary file first and renamed over the old value, so a
// failure leaves the old value whole.
bool WriteRegistryFile(const std::string& root, const std::string& key, const std::vector<std::uint8_t>& value);

}  // namespace zindle
