#pragma once
// Where the headless platform writes what a user would have seen or caused,
// one line per event, at the moment it happens.

#include <functional>
#include <string>
#include <string_view>

namespace zindle {

using OutputSink = std::function<void(const std::string& line)>;

// CR LF, a lone CR and a lone LF each become the two characters "\n", so one
// event always stays one output line.
std::string EscapeLineBreaks(std::string_view text);

}  // namespace zindle
