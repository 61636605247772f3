#include "interpreter/launch.h"

#include "interpreter/text_helpers.h"
#include "platform/shell.h"

namespace zindle {

namespace {

bool IsAsciiAlnum(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

}  // namespace

std::string UrlEncode(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string result;
    result.reserve(text.size() * 3);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (IsAsciiAlnum(c)) {
            result += ch;
        } else if (c == ' ') {
            result += '+';
        } else {
            result += '%';
            result += kHex[c >> 4];
            result += kHex[c & 0xF];
        }
    }
    return result;
}

std::string LaunchTarget(Shell& shell, const std::string& target, bool web) {
    std::string resolved = target;
    const char* label = "%%open";
    if (web) {
        label = "%%w3";
        const std::string base = GetField(target, " ", 1);
        const std::string query = GetRestFrom(target, ' ', 2);
        resolved = query.empty() ? base : base + UrlEncode(query);
    }
    const int result = shell.OpenTarget(resolved);
    if (result > 32) return {};
    const std::string where = std::string(", in '") + label + " " + resolved + "'";
    switch (result) {
        case 2: return "File Not Found" + where;
        case 3: return "Path Not Found" + where;
        case 31: return "No File Association" + where;
        default: return "Unknown Error" + where;
    }
}

bool RunProgram(Shell& shell, const std::string& commandLine) {
    return shell.RunProgram(commandLine);
}

}  // namespace zindle
