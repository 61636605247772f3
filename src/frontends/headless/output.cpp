#include "frontends/headless/output.h"

#include <cstddef>

namespace zindle {

std::string EscapeLineBreaks(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            result += "\\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            result += c;
        }
    }
    return result;
}

}  // namespace zindle
