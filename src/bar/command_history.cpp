#include "bar/command_history.h"

#include <algorithm>

#include "profile/conversions.h"
#include "text/utf8.h"

namespace zindle {

void AddToHistory(History& history, const std::string& boxText, std::int16_t limit) {
    const std::string line = TrimBlanks(boxText);
    if (line.empty()) return;
    std::vector<std::string>& entries = history.gHistory;
    // The oldest of several equal entries is the one that moves.
    const auto equal = std::find(entries.rbegin(), entries.rend(), line);
    if (equal != entries.rend()) {
        entries.erase(std::next(equal).base());
        entries.insert(entries.begin(), line);
        return;
    }
    entries.insert(entries.begin(), line);
    if (static_cast<int>(entries.size()) > limit) entries.pop_back();
}

std::string FindCompletion(const History& history, const std::string& typed, bool caseSensitive) {
    constexpr std::size_t kLongestOffered = 9999;
    std::vector<char32_t> lowerTyped = Utf8Decode(typed);
    for (char32_t& c : lowerTyped) c = LowerCodePoint(c);
    const std::string* best = nullptr;
    std::size_t bestChars = kLongestOffered;
    // From the oldest to the newest, so that among equally short entries the
    // most recent wins.
    for (auto entry = history.gHistory.rbegin(); entry != history.gHistory.rend(); ++entry) {
        // Equal bytes are equal characters, so the exact test needs no decoding.
        const bool matches = caseSensitive ? entry->starts_with(typed)
                                           : Utf8StartsWithLowered(*entry, lowerTyped);
        if (!matches) continue;
        const std::size_t chars = Utf8Length(*entry);
        if (chars <= bestChars) {
            best = &*entry;
            bestChars = chars;
        }
    }
    return best ? *best : std::string();
}

}  // namespace zindle
