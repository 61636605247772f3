#pragma once
// Handing targets and programs to the shell, and the failure texts the bar
// shows for them.

#include <string>
#include <string_view>

namespace zindle {

class Shell;

// Opens target with the shell's default action. With web set, the first
// blank-separated field is the address and everything after the first blank
// is URL-encoded onto its end. Returns an empty text on success, otherwise
// the failure text naming the word ("%%w3" or "%%open") and the target.
std::string LaunchTarget(Shell& shell, const std::string& target, bool web);

// Letters and digits stay, a blank becomes "+", every other byte becomes
// "%" and two upper-case hex digits.
std::string UrlEncode(std::string_view text);

// Starts a program command line; true when it started.
bool RunProgram(Shell& shell, const std::string& commandLine);

}  // namespace zindle
