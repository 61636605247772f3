#pragma once
// Where the headless platform writes what a user would have seen or caused,
// one line per event, at the moment it happens.

#include <functional>
#include <string>

#include "frontends/common/event_lines.h"

namespace zindle {

using OutputSink = std::function<void(const std::string& line)>;

}  // namespace zindle
