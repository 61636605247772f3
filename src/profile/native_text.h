#pragma once
// How this system's INI files hold text beyond UTF-8. Files that are not
// UTF-8 were written by Windows' own profile functions, in its ANSI code
// page: on Windows the system's (GetACP: 1252 on Western systems, 1251 on
// Cyrillic ones, ...); elsewhere they come from Western Windows, so
// Windows-1252.

#include <optional>
#include <string>
#include <string_view>

namespace zindle {

// The text as UTF-8.
std::string AnsiToUtf8(std::string_view bytes);

// UTF-8 text in the code page; nothing when it holds a character the code
// page lacks (Windows would write '?' for it) or bytes that are not UTF-8.
std::optional<std::string> Utf8ToAnsi(std::string_view text);

}  // namespace zindle
