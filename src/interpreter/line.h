#pragma once
// The pieces of one command line, computed once per call.

#include <string>
#include <string_view>

#include "interpreter/interpreter.h"

namespace zindle {

struct Interpreter::Line {
    std::string_view text;          // the line as received, alive for the call
    std::string word;               // first field, case kept, not trimmed
    std::string firstArgument;      // second field, stripped
    std::string rest;               // after the first blank, stripped

    explicit Line(const std::string& line);
    // After the second blank, stripped: only two words need it.
    std::string RestAfterArgument() const;
};

}  // namespace zindle
