#include "startup/command_switch.h"

#include "interpreter/text_helpers.h"
#include "profile/conversions.h"

namespace zindle {

bool HasCommandSwitch(std::string_view commandLine, std::string_view commandSwitch) {
    if (commandLine.empty()) return false;
    const std::string wanted = LowerAscii(commandSwitch);
    for (const std::string& piece : SplitText(LowerAscii(commandLine), " ")) {
        if (piece == wanted) return true;
    }
    return false;
}

}  // namespace zindle
