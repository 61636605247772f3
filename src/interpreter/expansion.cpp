// "%%parse" templates and "%%macro" lines.

#include <vector>

#include "interpreter/interpreter.h"
#include "interpreter/substitution.h"
#include "interpreter/text_helpers.h"
#include "platform/platform.h"
#include "profile/conversions.h"
#include "text/utf8.h"

namespace zindle {

namespace {

// The separator an earlier syntax used instead of "||": the not sign, in
// UTF-8 or as the lone byte a file saved in the Western ANSI code page holds.
bool ContainsOldSeparator(const std::string& s) {
    // Either way the byte 0xAC is there; most lines have none to decode.
    if (s.find('\xAC') == std::string::npos) return false;
    for (const char32_t c : Utf8Decode(s)) {
        if (c == 0xAC || c == 0xDC00 + 0xAC) return true;
    }
    return false;
}

}  // namespace

std::string Interpreter::ExpandParameters(const std::string& s) {
    if (ContainsOldSeparator(s)) {
        Write("'\xC2\xAC' NO LONGER CORRECT, USE '||'");
        platform_.dialogs.MessageBox(
            "Your INI-File NEEDS UPDATING - the syntax for the %%parse command has changed.\r\n"
            "Replace all '\xC2\xAC' with '||' (two vertical pipes)",
            "INI File Update Required", MessageIcon::Critical, MessageButtons::Ok);
        gMessageShown = true;
        return "%%noop";
    }
    const std::size_t separator = s.find("||");
    if (separator == std::string::npos) return s;
    const std::string templ = TrimBlanks(s.substr(0, separator));
    const std::string args = TrimBlanks(s.substr(separator + 2));
    if (templ.empty() || args.empty()) return templ;
    return SubstituteArguments(templ, args);
}

bool Interpreter::RunMacro(const std::string& s) {
    const std::vector<std::string> pieces = SplitText(s, "|");
    for (const std::string& piece : pieces) {
        RunCommand(TrimBlanks(piece));
    }
    return !IsEmptyArray(pieces);
}

}  // namespace zindle
