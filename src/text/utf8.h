#pragma once
// Character-level operations on UTF-8 text. Everything the user sees as a
// character (lengths, left and right parts, selections, prefixes) counts
// code points. Bytes that are not valid UTF-8 count as one character each,
// so no input is ever rejected or altered by these helpers.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zindle {

// Byte length of the character that starts at text[offset] (1 for an invalid byte).
std::size_t Utf8CharSize(std::string_view text, std::size_t offset);

std::size_t Utf8Length(std::string_view text);

// Byte offset of character index `chars` (clamped to the text's end).
std::size_t Utf8Offset(std::string_view text, std::size_t chars);

std::string Utf8Left(std::string_view text, std::size_t chars);
std::string Utf8Right(std::string_view text, std::size_t chars);

// The code points of the text; an invalid byte b becomes 0xDC00 + b, a value
// no valid UTF-8 sequence produces, so comparisons stay exact.
std::vector<char32_t> Utf8Decode(std::string_view text);

// The UTF-8 form of one code point.
std::string Utf8Encode(char32_t c);

// True when every byte belongs to a well-formed UTF-8 character.
bool IsValidUtf8(std::string_view text);

// The character's Unicode simple case folding: the lower case of nearly
// every letter that has one, the same character for everything else (an
// invalid byte's stand-in included). Every comparison of names and text
// without regard to case goes through it, so they all agree.
char32_t LowerCodePoint(char32_t c);
// The text with every character folded; invalid bytes are kept as they are.
std::string Utf8Lower(std::string_view text);

// Equal once both are folded, without building the folded texts.
bool Utf8EqualFolded(std::string_view a, std::string_view b);
// A hash of the folded text: texts that are Utf8EqualFolded hash alike.
std::size_t Utf8FoldedHash(std::string_view text);

// True when text begins with the characters of lowerPrefix (already lower
// case), comparing text in lower case; stops at the first difference.
bool Utf8StartsWithLowered(std::string_view text, const std::vector<char32_t>& lowerPrefix);

}  // namespace zindle
