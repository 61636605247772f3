#include "profile/profile_store.h"

#include "profile/conversions.h"

namespace zindle {
namespace {

// Values are read through a buffer of 255, so at most 254 characters come
// back. Windows counts ANSI characters of one byte; our text is UTF-8, so the
// call leaves room for 254 characters of up to four bytes and the result is
// cut by code points, never inside one.
constexpr std::size_t kValueChars = 254;
constexpr int kReadBufferBytes = static_cast<int>(kValueChars) * 4 + 1;

std::size_t PrefixBytes(std::string_view text, std::size_t characters) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (!continuation && count++ == characters) return i;
    }
    return text.size();
}

}  // namespace

ProfileStore::ProfileStore(ProfileFiles& files) : files_(files) {}

std::string ProfileStore::ReadIniValue(std::string_view section, std::string_view key,
                                       std::string_view defaultValue, const std::string& path) {
    std::string value = files_.GetString(section, key, defaultValue, kReadBufferBytes, path);
    value.resize(PrefixBytes(value, kValueChars));
    return value;
}

std::vector<std::string> ProfileStore::ReadIniValues(std::string_view section, std::span<const std::string> keys,
                                                     std::string_view defaultValue, const std::string& path) {
    std::vector<std::string> values = files_.GetStrings(section, keys, defaultValue, kReadBufferBytes, path);
    for (std::string& value : values) value.resize(PrefixBytes(value, kValueChars));
    return values;
}

bool ProfileStore::IniHasValue(std::string_view section, std::string_view key, const std::string& path) {
    return ReadIniValue(section, key, "", path).find_first_not_of(' ') != std::string::npos;
}

bool ProfileStore::WriteIniValue(std::string_view section, std::string_view key, const std::string& path,
                                 std::optional<std::string_view> value) {
    return files_.WriteString(section, key, value, path);
}

bool ProfileStore::WriteIniValues(std::string_view section,
                                  std::span<const std::pair<std::string, std::string>> values,
                                  const std::string& path) {
    return files_.WriteStrings(section, values, path);
}

bool ProfileStore::WriteIniSection(std::string_view section, std::string_view block, const std::string& path) {
    return files_.WriteSection(section, block, path);
}

ProfileFiles& ProfileStore::Files() { return files_; }

}  // namespace zindle
