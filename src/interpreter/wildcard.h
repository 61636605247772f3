#pragma once
// Wildcard patterns for pruning the history: "*" any run of characters,
// "?" one character, "#" one digit, "[abc]" or "[a-z]" one character of the
// list, "[!abc]" one character not in it. Everything else matches itself.

#include <string_view>

namespace zindle {

bool MatchesPattern(std::string_view text, std::string_view pattern);

}  // namespace zindle
