#pragma once
// The three private-profile calls, with the Windows meaning of every argument.
// Windows passes them straight to GetPrivateProfileStringA and friends; Linux
// and the tests use the portable engine in profile/, which reads and writes
// the same bytes.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zindle {

class ProfileFiles {
public:
    virtual ~ProfileFiles() = default;

    // GetPrivateProfileStringA with a named section and key. The result is at
    // most bufferSize - 1 bytes, cut silently; a missing file, section or key
    // gives the default (trailing spaces removed, cut the same way).
    virtual std::string GetString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue, int bufferSize,
                                  const std::string& path) = 0;

    // GetString of each key of one section, with one default. Windows has
    // no such call, so it reads them one by one; an engine that keeps the
    // parsed file checks the file once for all of them.
    virtual std::vector<std::string> GetStrings(std::string_view section, std::span<const std::string> keys,
                                                std::string_view defaultValue, int bufferSize,
                                                const std::string& path) {
        std::vector<std::string> values;
        values.reserve(keys.size());
        for (const std::string& key : keys) values.push_back(GetString(section, key, defaultValue, bufferSize, path));
        return values;
    }

    // WritePrivateProfileStringA. A missing key deletes the whole section; a
    // missing value deletes the key. Returns false when nothing could be written.
    virtual bool WriteString(std::optional<std::string_view> section,
                             std::optional<std::string_view> key,
                             std::optional<std::string_view> value,
                             const std::string& path) = 0;

    // WritePrivateProfileSectionA: block is "k1=v1\0k2=v2\0\0" and replaces
    // every key line of the section.
    virtual bool WriteSection(std::string_view section, std::string_view block,
                              const std::string& path) = 0;

    // WriteString of each key=value into the section, in order; false when
    // any of them could not be written (the others are written all the
    // same). Windows has no such call, so it makes them one by one; an
    // engine that rewrites whole files makes them in one rewrite.
    virtual bool WriteStrings(std::string_view section,
                              std::span<const std::pair<std::string, std::string>> values,
                              const std::string& path) {
        bool all = true;
        for (const auto& [key, value] : values) {
            all = WriteString(section, key, value, path) && all;
        }
        return all;
    }
};

}  // namespace zindle
