#pragma once
// The run-time variables "%%setvar" may change.

#include <string>
#include <string_view>

namespace zindle {

struct ProgramSettings;

// True for a number as the user would type it: blanks around it, an
// optional sign, digits with optional "," group separators, an optional
// decimal part and exponent. An empty text is not a number.
bool IsLocaleNumber(std::string_view text);

// "_MAX_RECURSE" and "_HISTORY_LENGTH" take a number (capped at 256 and
// 2048), "_OK_TEXT" any text; names are compared in upper case. False when
// the name is unknown or the value is not a number.
bool SetSpecialVariable(ProgramSettings& settings, std::string_view name, const std::string& value);

}  // namespace zindle
