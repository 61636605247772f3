#include "interpreter/history.h"

#include <algorithm>

#include "interpreter/wildcard.h"
#include "text/utf8.h"

namespace zindle {

namespace {

template <typename Predicate>
std::size_t FindOldest(const History& history, Predicate matches) {
    for (std::size_t i = history.gHistory.size(); i > 0; --i) {
        if (matches(Utf8Lower(history.gHistory[i - 1]))) return i;
    }
    return 0;
}

}  // namespace

std::size_t FindHistoryEntry(const History& history, std::string_view text) {
    return FindOldest(history, [&](const std::string& entry) { return entry == text; });
}

std::size_t FindHistoryMatch(const History& history, std::string_view pattern) {
    return FindOldest(history,
                      [&](const std::string& entry) { return MatchesPattern(entry, pattern); });
}

bool ForgetEntry(History& history, std::string_view text) {
    const std::size_t index = FindHistoryEntry(history, text);
    if (index == 0) return false;
    history.gHistory.erase(history.gHistory.begin() + static_cast<std::ptrdiff_t>(index - 1));
    return true;
}

int ForgetMatching(History& history, std::string_view pattern) {
    // Removing the oldest match again and again until none is left removes
    // exactly the matching entries; one pass does the same without rescanning.
    const auto removed = std::erase_if(history.gHistory, [&](const std::string& entry) {
        return MatchesPattern(Utf8Lower(entry), pattern);
    });
    return static_cast<int>(removed);
}

}  // namespace zindle
