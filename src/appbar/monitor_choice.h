#pragma once
// Which monitor the bar docks on: the one the user's setting names among
// the monitors connected now, the one under the cursor while the bar is
// dragged, and how the setting names a monitor the bar was dragged to.

#include <optional>
#include <string>
#include <vector>

#include "platform/window_manager.h"

namespace zindle {

// The primary monitor: the one marked so, else the one holding the desktop's
// origin, else the first. nullopt when there are none.
std::optional<Monitor> PrimaryMonitor(const std::vector<Monitor>& monitors);

// The monitor a setting names: empty for the primary; the system's name (in
// any case, as Windows compares device names); or a number counted from the
// left, 1 being the leftmost. A monitor that is not connected, or a number
// past the last, gives the primary until it is there. nullopt when there are
// no monitors.
std::optional<Monitor> ChooseMonitor(const std::vector<Monitor>& monitors, const std::string& choice);

// The monitor holding point, or the nearest one when it lies in a gap
// between monitors. nullopt when there are no monitors.
std::optional<Monitor> MonitorAt(const std::vector<Monitor>& monitors, PointPx point);

// The setting that names target: the current one when it resolves to target
// already, a number when the user chose by number (or the monitor has no
// name), its name otherwise.
std::string ChoiceNaming(const std::vector<Monitor>& monitors, const Monitor& target, const std::string& current);

// The same monitor: its name and place. The work area may have changed since.
bool SameMonitor(const Monitor& a, const Monitor& b);

}  // namespace zindle
