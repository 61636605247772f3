#pragma once
// The core speaks UTF-8, Windows' W functions UTF-16: every text crosses here.

#include <string>
#include <string_view>

namespace zindle {

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

// Positions in code points (the core's characters) and in UTF-16 units.
int Utf16Index(std::wstring_view text, int characters);
int CharacterIndex(std::wstring_view text, int utf16Index);

}  // namespace zindle
