#include "frontends/common/bar_trace.h"

#include "appbar/appbar.h"
#include "bar/form1.h"
#include "startup/program.h"

namespace zindle {

BarTrace::BarTrace(TraceFile& file, Program& program, BarTraceSources sources)
    : file_(file), program_(program), sources_(std::move(sources)) {}

void BarTrace::Attach() {
    Form1* bar = program_.bar();
    if (!bar || !file_.Active()) return;
    bar->SetFaceObserver(
        [this](BarButton button, int face, int state) { file_.Write(FaceEventLine(button, face, state)); });
    bar->SetRunObserver([this] {
        Report();
        if (program_.interpreter.gCommandFailed) file_.Write(kFailedEventLine);
    });
}

void BarTrace::Report() {
    Form1* bar = program_.bar();
    if (!bar || !file_.Active()) return;
    file_.WriteIfChanged("status", StatusEventLine(bar->StatusLine().Text()));
    if (bar->Unloaded()) return;
    TextBox& box = bar->txtCmd();
    file_.WriteIfChanged("command", CommandEventLine(box.Text(), box.SelectionStart(), box.SelectionLength()));
    Label& clock = bar->lblTimer();
    file_.WriteIfChanged("clock", clock.Visible() ? ClockEventLine(clock.Text()) : kClockHiddenEventLine);
    if (AppBar* appBar = program_.appBar()) file_.WriteIfChanged("edge", EdgeEventLine(appBar->Edge()));
    file_.WriteIfChanged("window", WindowEventLine(bar->window().Native().GetWindowRect()));
    if (sources_.strip) file_.WriteIfChanged("strip", StripEventLine(sources_.strip()));
    if (sources_.hotkeys) file_.WriteIfChanged("hotkeys", HotkeysEventLine(sources_.hotkeys()));
}

}  // namespace zindle
