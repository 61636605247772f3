#include "profile/history_file.h"

#include <string_view>

#include "profile/conversions.h"

namespace zindle {
namespace {

constexpr std::string_view kSection = "history";
constexpr std::string_view kCountKey = "count";

bool IsStorable(const std::string& entry) {
    return entry.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos;
}

}  // namespace

std::vector<std::string> LoadHistoryFile(ProfileStore& store, const std::string& path) {
    std::vector<std::string> entries;
    const int count = ToInt16(store.ReadIniValue(kSection, kCountKey, "", path));
    for (int i = 1; i <= count; ++i) {
        std::string entry = store.ReadIniValue(kSection, std::to_string(i), "", path);
        if (!TrimBlanks(entry).empty()) entries.push_back(std::move(entry));
    }
    return entries;
}

bool SaveHistoryFile(ProfileStore& store, const std::string& path, const std::vector<std::string>& entries) {
    std::string lines;
    std::size_t stored = 0;
    for (const std::string& entry : entries) {
        if (!IsStorable(entry)) continue;
        lines += std::to_string(++stored);
        lines += '=';
        lines += entry;
        lines += '\0';
    }
    std::string block = std::string(kCountKey) + "=" + std::to_string(stored);
    block += '\0';
    block += lines;
    block.append(2, '\0');
    return store.WriteIniSection(kSection, block, path);
}

}  // namespace zindle
