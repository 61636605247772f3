#pragma once
// Windows-1252, the ANSI code page of Western Windows systems, in which
// files written there hold their text.

#include <optional>
#include <string>
#include <string_view>

namespace zindle {

// The text as UTF-8. The five bytes the code page leaves undefined (81, 8D,
// 8F, 90 and 9D) become the control characters of the same number, as
// Windows converts them, so that every byte comes back on the way back.
std::string Windows1252ToUtf8(std::string_view bytes);

// UTF-8 text in Windows-1252; nothing when it holds a character the code
// page lacks or bytes that are not UTF-8.
std::optional<std::string> Utf8ToWindows1252(std::string_view text);

}  // namespace zindle
