#pragma once
// The conversions every setting goes through: yes/no values, numbers read as
// their leading numeric prefix and rounded into 16 bits, and the trimming the
// program means by "stripped of blanks".

#include <cstdint>
#include <string>
#include <string_view>

namespace zindle {

// Lower-cased and stripped of spaces and tabs, "true", "yes", "y" and "1" are
// true; every other text (including "no", "0" and "") is false.
bool ParseYesNo(std::string_view text);

// "yes" or "no", the way yes/no settings are stored.
std::string YesNo(bool flag);

// The value of the longest leading numeric prefix: optional spaces or tabs,
// an optional sign, digits with an optional fraction, and an exponent only
// when digits follow the "e". No prefix gives 0; a prefix too large for a
// double gives an infinity, one too small gives 0.
double LeadingNumber(std::string_view text);

// Rounds to the nearest whole number, halves to even, then clamps into
// -32768..32767. NaN gives 0.
std::int16_t RoundToInt16(double value);

// A stored number as the program reads it: RoundToInt16(LeadingNumber(text)).
std::int16_t ToInt16(std::string_view text);

// Strips leading and trailing spaces (only spaces).
std::string TrimBlanks(std::string_view text);

// ASCII letters lower-cased, every other byte unchanged.
std::string LowerAscii(std::string_view text);

}  // namespace zindle
