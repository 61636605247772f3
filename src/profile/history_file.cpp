#include "profile/history_file.h"

#include <string_view>

#include "profile/native_text.h"
#include "profile/conversions.h"
#include "text/utf8.h"

namespace zindle {
namespace {

constexpr std::string_view kSection = "history";
constexpr std::string_view kCountKey = "count";

// An entry with a line break or a NUL cannot be one line; bytes that are
// not UTF-8 cannot be stored in a file read as text.
bool IsStorable(const std::string& entry) {
    return entry.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos && IsValidUtf8(entry);
}

bool FitsAnsi(const std::string& entry) { return Utf8ToAnsi(entry).has_value(); }

// "count=n" and the keys 1 to n, for the entries that pass.
template <typename Filter>
std::string HistoryBlock(const std::vector<std::string>& entries, Filter passes) {
    std::string lines;
    std::size_t stored = 0;
    for (const std::string& entry : entries) {
        if (!IsStorable(entry) || !passes(entry)) continue;
        lines += std::to_string(++stored);
        lines += '=';
        lines += entry;
        lines += '\0';
    }
    std::string block = std::string(kCountKey) + "=" + std::to_string(stored);
    block += '\0';
    block += lines;
    block.append(2, '\0');
    return block;
}

}  // namespace

std::vector<std::string> LoadHistoryFile(ProfileStore& store, const std::string& path) {
    std::vector<std::string> keys;
    const int count = ToInt16(store.ReadIniValue(kSection, kCountKey, "", path));
    for (int i = 1; i <= count; ++i) keys.push_back(std::to_string(i));
    std::vector<std::string> entries;
    for (std::string& entry : store.ReadIniValues(kSection, keys, "", path)) {
        if (!TrimBlanks(entry).empty()) entries.push_back(std::move(entry));
    }
    return entries;
}

bool SaveHistoryFile(ProfileStore& store, const std::string& path, const std::vector<std::string>& entries) {
    const std::string block = HistoryBlock(entries, [](const std::string&) { return true; });
    if (store.WriteIniSection(kSection, block, path)) return true;
    // A history file from Windows holds only what its code page can, and the
    // write of a character it lacks fails as a whole. Rather than lose the
    // whole list, the entries it can hold are kept.
    const std::string windowsBlock = HistoryBlock(entries, FitsAnsi);
    return windowsBlock != block && store.WriteIniSection(kSection, windowsBlock, path);
}

}  // namespace zindle
