#pragma once
// "zindle --autostart on|off": the XDG autostart entry that starts the bar
// with the desktop session.

#include <string>

namespace zindle {

// $XDG_CONFIG_HOME/autostart/zindle.desktop, or under ~/.config when it is
// unset or relative; empty when neither is known.
std::string AutostartEntryPath(const char* xdgConfigHome, const char* home);

// The entry's text, starting executable (an absolute path, quoted as the
// desktop entry rules want).
std::string AutostartEntry(const std::string& executable);

// Writes (on) or removes (off) the entry; the error's text when that failed.
std::string SetAutostart(bool on, const std::string& entryPath, const std::string& executable);

}  // namespace zindle
