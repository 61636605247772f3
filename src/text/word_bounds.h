#pragma once
// Where Ctrl+Backspace and Ctrl+Delete stop in a one-line box: words are
// runs of anything but blanks. Blanks are single code units in UTF-8 and
// UTF-16 alike, so both forms work on their code units directly and a
// boundary never falls inside a character.

#include <cstddef>
#include <string_view>

namespace zindle {

template <typename Char>
constexpr bool IsWordBlank(Char c) {
    return c == Char(' ') || c == Char('\t');
}

// The start of the word the caret is in or after, blanks before the caret
// included: what Ctrl+Backspace deletes back to.
template <typename Char>
constexpr std::size_t PreviousWordStart(std::basic_string_view<Char> text, std::size_t caret) {
    std::size_t at = caret < text.size() ? caret : text.size();
    while (at > 0 && IsWordBlank(text[at - 1])) --at;
    while (at > 0 && !IsWordBlank(text[at - 1])) --at;
    return at;
}

// The start of the next word: the rest of this word and the blanks after it,
// what Ctrl+Delete deletes up to.
template <typename Char>
constexpr std::size_t NextWordStart(std::basic_string_view<Char> text, std::size_t caret) {
    std::size_t at = caret < text.size() ? caret : text.size();
    while (at < text.size() && !IsWordBlank(text[at])) ++at;
    while (at < text.size() && IsWordBlank(text[at])) ++at;
    return at;
}

}  // namespace zindle
