#pragma once
// The list of command lines typed earlier, most recent first, and the
// searches that prune it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zindle {

struct History {
    // Entry 1 (the most recent) is gHistory[0].
    std::vector<std::string> gHistory;
    // -1 not stepping, 0 the last Run text, 1..n an entry.
    std::int16_t gHistoryIndex = -1;
    std::string gLastRunText;
};

// 1-based index of the oldest entry whose lower-cased text equals text, or 0.
std::size_t FindHistoryEntry(const History& history, std::string_view text);
// 1-based index of the oldest entry whose lower-cased text matches pattern, or 0.
std::size_t FindHistoryMatch(const History& history, std::string_view pattern);
// Removes the entry FindHistoryEntry finds; false when there is none.
bool ForgetEntry(History& history, std::string_view text);
// Removes every entry that matches pattern; returns how many went.
int ForgetMatching(History& history, std::string_view pattern);

}  // namespace zindle
