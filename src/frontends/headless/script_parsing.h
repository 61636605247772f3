#pragma once
// Reading the numbers and words of a script line.

#include <charconv>
#include <sstream>
#include <string>
#include <vector>

namespace zindle {

template <typename Number>
bool ParseNumber(const std::string& text, Number& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && !text.empty();
}

// Screen pixels as a script gives them. The bound keeps every position and
// size, and the twips made from them, far inside int, however a script
// combines them; a line with a number outside it is not understood.
inline constexpr int kMaxScriptPixels = 1'000'000;

inline bool ParsePixels(const std::string& text, int& value) {
    return ParseNumber(text, value) && value >= -kMaxScriptPixels && value <= kMaxScriptPixels;
}

// The blank-separated words of text.
inline void Words(const std::string& text, std::vector<std::string>& words) {
    std::istringstream in(text);
    for (std::string word; in >> word;) words.push_back(word);
}

}  // namespace zindle
