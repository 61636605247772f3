#pragma once
// The switches that ask something of the bar rather than start one:
//   zindle.exe --activate          the running bar comes forward with the
//                                   focus in its command box (a new one
//                                   starts when none runs)
//   zindle.exe --autostart on|off  start the bar at sign-in, or no longer

#include <string>
#include <vector>

namespace zindle {

// The name of the message that brings the running bar forward.
inline constexpr wchar_t kActivateMessageName[] = L"Zindle.Activate";
// The window property that tells the bar's window from the program's others.
inline constexpr wchar_t kBarWindowProperty[] = L"Zindle.Bar";

// Brings the bar of another running copy forward; false when none runs.
bool ActivateRunningBar();

// The HKCU Run entry that starts this program at sign-in: written for true,
// removed for false (nothing to remove is no failure).
bool SetAutostart(bool on);

// What main does with its arguments. Handled (with its exit code) when the
// switches asked for all there is to do; otherwise the bar starts, without
// a --activate that was given.
struct SwitchOutcome {
    bool handled = false;
    int exitCode = 0;
};
SwitchOutcome HandleSwitches(std::vector<std::string>& arguments);

}  // namespace zindle
