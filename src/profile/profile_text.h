#pragma once
// Text helpers of the INI reader and writer. "Blank" means space, tab and
// vertical tab, the way the Windows profile functions see it.

#include <cstddef>
#include <string_view>

#include "text/utf8.h"

namespace zindle::profile_text {

inline bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

inline std::string_view TrimBlank(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Names passed by callers lose their spaces, but not their tabs.
inline std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

inline std::string_view TrimTrailingSpaces(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

inline bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// Section and key names match without regard to case, by the same folding
// as every other comparison of the program.
struct NoCaseHash {
    std::size_t operator()(std::string_view text) const { return Utf8FoldedHash(text); }
};

struct NoCaseEqual {
    bool operator()(std::string_view a, std::string_view b) const { return Utf8EqualFolded(a, b); }
};

}  // namespace zindle::profile_text
