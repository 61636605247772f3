#pragma once
// Where the Linux program keeps its files: next to the executable when it
// is a portable copy (zindle.ini there, or a folder the user may write), else
// in the user's configuration folder, so an installed program keeps its
// settings in the home directory.

#include <string>

namespace zindle {

// $XDG_CONFIG_HOME/zindle, or ~/.config/zindle when it is unset or not an
// absolute path (as the XDG rules say); empty when neither is known.
std::string UserConfigDirectory(const char* xdgConfigHome, const char* home);

// executableDirectory when it holds zindle.ini or is writable, else
// configDirectory, created when missing. The result has no trailing '/'.
std::string ChooseProgramDirectory(const std::string& executableDirectory, const std::string& configDirectory);

}  // namespace zindle
