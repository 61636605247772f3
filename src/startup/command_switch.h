#pragma once

#include <string_view>

namespace zindle {

// True when a blank-separated word of the command line equals the switch,
// ignoring case. Words are cut at every single blank.
bool HasCommandSwitch(std::string_view commandLine, std::string_view commandSwitch);

}  // namespace zindle
