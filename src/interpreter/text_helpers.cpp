#include "interpreter/text_helpers.h"

namespace zindle {

std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter) {
    std::vector<std::string> pieces;
    if (text.empty()) return pieces;
    if (delimiter.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t found = text.find(delimiter, start);
        if (found == std::string_view::npos) {
            pieces.emplace_back(text.substr(start));
            return pieces;
        }
        pieces.emplace_back(text.substr(start, found - start));
        start = found + delimiter.size();
    }
}

bool IsEmptyArray(const std::vector<std::string>& pieces) { return pieces.empty(); }

std::string_view GetFieldView(std::string_view text, std::string_view delimiter, int n) {
    if (n < 1 || text.empty()) return {};
    if (delimiter.empty()) return n == 1 ? text : std::string_view();
    // Walk to piece n without building the others: command lines may hold
    // thousands of fields.
    std::size_t start = 0;
    for (int piece = 1; piece < n; ++piece) {
        const std::size_t found = text.find(delimiter, start);
        if (found == std::string_view::npos) return {};
        start = found + delimiter.size();
    }
    const std::size_t end = text.find(delimiter, start);
    return text.substr(start, end == std::string_view::npos ? end : end - start);
}

std::string_view GetRestFromView(std::string_view text, char delimiter, int n) {
    if (n < 1 || text.empty()) return {};
    std::size_t start = 0;
    for (int piece = 1; piece < n; ++piece) {
        const std::size_t found = text.find(delimiter, start);
        if (found == std::string_view::npos) return {};
        start = found + 1;
    }
    return text.substr(start);
}

}  // namespace zindle
