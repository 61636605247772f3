#include "profile/native_text.h"

#include "text/windows1252.h"

namespace zindle {

std::string AnsiToUtf8(std::string_view bytes) { return Windows1252ToUtf8(bytes); }

std::optional<std::string> Utf8ToAnsi(std::string_view text) { return Utf8ToWindows1252(text); }

}  // namespace zindle
