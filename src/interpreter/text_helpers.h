#pragma once
// Cutting command lines into fields. Fields are separated by single
// delimiters, so two delimiters in a row make an empty field.

#include <string>
#include <string_view>
#include <vector>

namespace zindle {

// Every piece, empty ones kept; an empty text has no pieces.
std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter);

bool IsEmptyArray(const std::vector<std::string>& pieces);

// Piece n, counting from 1, or an empty text when there are fewer pieces.
// The view lies in text.
std::string_view GetFieldView(std::string_view text, std::string_view delimiter, int n);
inline std::string GetField(std::string_view text, std::string_view delimiter, int n) {
    return std::string(GetFieldView(text, delimiter, n));
}

// What follows the first n - 1 pieces and their delimiters (the whole text
// for n = 1), or an empty text when there are fewer than n pieces. The view
// lies in text.
std::string_view GetRestFromView(std::string_view text, char delimiter, int n);
inline std::string GetRestFrom(std::string_view text, char delimiter, int n) {
    return std::string(GetRestFromView(text, delimiter, n));
}

}  // namespace zindle
