#include "interpreter/run_time_variables.h"

#include <algorithm>

#include "profile/conversions.h"
#include "profile/program_settings.h"

namespace zindle {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string UpperAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    return result;
}

}  // namespace

bool IsLocaleNumber(std::string_view text) {
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    };
    skipBlanks();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool digits = false;
    while (i < text.size() && (IsDigit(text[i]) || (text[i] == ',' && digits))) {
        digits = digits || IsDigit(text[i]);
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) digits = true, ++i;
    }
    if (!digits) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        bool exponentDigits = false;
        while (i < text.size() && IsDigit(text[i])) exponentDigits = true, ++i;
        if (!exponentDigits) return false;
    }
    skipBlanks();
    return i == text.size();
}

bool SetSpecialVariable(ProgramSettings& settings, std::string_view name, const std::string& value) {
    const std::string upper = UpperAscii(name);
    if (upper == "_OK_TEXT") {
        settings.gOkText = value;
        return true;
    }
    if (upper == "_MAX_RECURSE" && IsLocaleNumber(value)) {
        settings.gRecurseLimit = std::min(ToInt16(value), kMaxRecurseLimit);
        return true;
    }
    if (upper == "_HISTORY_LENGTH" && IsLocaleNumber(value)) {
        settings.gHistoryLength = std::min(ToInt16(value), kMaxHistoryLength);
        return true;
    }
    return false;
}

}  // namespace zindle
