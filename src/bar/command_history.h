#pragma once
// The history list's own rules: what a Run adds to it and what typing is
// completed with.

#include <cstdint>
#include <string>

#include "interpreter/history.h"

namespace zindle {

// Adds the command box's text, stripped of blanks: an equal entry moves to
// the front; a new one goes in front and, past the limit, one oldest entry
// goes.
void AddToHistory(History& history, const std::string& boxText, std::int16_t limit);

// The shortest entry that begins with typed (the most recent among equally
// short ones), or an empty text.
std::string FindCompletion(const History& history, const std::string& typed, bool caseSensitive);

}  // namespace zindle
