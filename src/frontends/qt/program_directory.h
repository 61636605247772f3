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

// executableDirectory when it holds zindle.ini, or is writable and not the
// bin/ of an install prefix (one with share/zindle beside it); else
// configDirectory, created when missing. The result has no trailing '/'.
std::string ChooseProgramDirectory(const std::string& executableDirectory, const std::string& configDirectory);

// The single-instance lock of the user's bar on an X display: one bar per
// display, so that a second session of the same user (VNC, a remote
// desktop) has its own. In the runtime folder when it is an absolute path.
std::string InstanceLockPath(const char* runtimeDirectory, unsigned userId, const char* display);

// An installed program's sample skins (share/zindle/skins) copied into a
// program directory without a skins folder, where the user may add more.
// False when nothing was copied (there was one already, or no samples).
bool SeedSampleSkins(const std::string& programDirectory, const std::string& installedSkins);

}  // namespace zindle
