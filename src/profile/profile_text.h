#pragma once
// Byte-level text helpers of the INI reader and writer. INI files are raw
// bytes: only ASCII letters have a case, and "blank" means space, tab and
// vertical tab, the way the Windows profile functions see it.

#include <cstddef>
#include <cstdint>
#include <string_view>

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

inline char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

struct NoCaseHash {
    std::size_t operator()(std::string_view text) const {
        std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
        for (char c : text) {
            hash ^= static_cast<unsigned char>(FoldCase(c));
            hash *= 1099511628211ull;
        }
        return static_cast<std::size_t>(hash);
    }
};

struct NoCaseEqual {
    bool operator()(std::string_view a, std::string_view b) const {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (FoldCase(a[i]) != FoldCase(b[i])) return false;
        }
        return true;
    }
};

}  // namespace zindle::profile_text
