#pragma once
// Splitting a command line into arguments by the rules a Windows program's C
// runtime applies, so a line written for Windows starts the same program with
// the same arguments here.

#include <string>
#include <string_view>
#include <vector>

namespace zindle {

// The first token is the program name: double quotes delimit it and are
// dropped, backslashes are plain characters. Later tokens follow the MSVC
// runtime (2008 and later): 2n backslashes before a quote give n backslashes
// and the quote toggles quoting; 2n+1 backslashes before a quote give n
// backslashes and a literal quote; "" inside quotes is a literal quote and
// quoting goes on; other backslashes are literal. Blanks are space and tab;
// leading blanks are skipped, and a blank line gives no tokens.
std::vector<std::string> SplitWindowsCommandLine(std::string_view commandLine);

// The program name, read as the first token above, and the rest of the line
// after the blanks that follow it, as written: the program and parameters
// the Windows shell takes when it starts a command line.
struct ProgramAndParameters {
    std::string program;
    std::string parameters;
};
ProgramAndParameters SplitProgramName(std::string_view commandLine);

}  // namespace zindle
