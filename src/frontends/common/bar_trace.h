#pragma once
// What a window front end writes to its --trace file about the bar: the
// event lines of the headless protocol, read off the core's own controls and
// observers. States (status, command box, clock, edge, window, strip,
// hotkeys) are written when they changed, each time the front end has
// finished handling an event; faces and "failed" as they happen. The front
// end's shell, dialogs and labels write open:, exec:, sound:, msgbox:,
// dialog: and flash lines themselves, where they happen.

#include <functional>
#include <optional>
#include <vector>

#include "frontends/common/event_lines.h"
#include "frontends/common/trace_file.h"

namespace zindle {

class Program;

struct BarTraceSources {
    // The strip the bar reserves now, as the desktop has it.
    std::function<std::optional<RectPx>()> strip;
    // What the bar window has registered now, sorted by id.
    std::function<std::vector<HotkeyRegistration>()> hotkeys;
};

class BarTrace {
public:
    // file and program must outlive this object. Does nothing when the file
    // is not active.
    BarTrace(TraceFile& file, Program& program, BarTraceSources sources);
    // Connects to the bar once start-up has created it.
    void Attach();
    // After each event the front end handled (and once after start-up).
    void Report();

private:
    TraceFile& file_;
    Program& program_;
    BarTraceSources sources_;
};

}  // namespace zindle
