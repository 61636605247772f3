// The script commands about the bar's place on the screen, the hotkeys and
// the options dialog, and the lines that report them.

#include <iostream>
#include <map>

#include "appbar/appbar.h"
#include "bar/form1.h"
#include "frontends/headless/headless_dialog_controls.h"
#include "frontends/headless/script_parsing.h"
#include "frontends/headless/script_reader.h"
#include "startup/program.h"

namespace zindle {

bool ScriptReader::Hotkey(const std::string& argument) {
    unsigned id = 0;
    Form1* bar = program_.bar();
    if (!bar || !ParseNumber(argument, id)) return false;
    bar->window().Native().SendMessage(kWmHotkey, id, 0);
    return true;
}

// The user drags the bar with the mouse to screen pixel (x, y): the move
// starts at the window's centre and goes there in a few steps. Each step
// proposes the rectangle the window had at the press, moved by the cursor's
// offset from the press point, as a system's move loop does.
bool ScriptReader::Drag(const std::string& argument) {
    std::vector<std::string> words;
    Words(argument, words);
    int x = 0, y = 0;
    Form1* bar = program_.bar();
    if (!bar || words.size() != 2 || !ParsePixels(words[0], x) || !ParsePixels(words[1], y)) {
        return false;
    }
    NativeWindow& window = bar->window().Native();
    HeadlessWindowManager& shell = platform_.windowManager;
    const RectPx start = window.GetWindowRect();
    const PointPx from{(start.left + start.right) / 2, (start.top + start.bottom) / 2};
    window.SendMessage(kWmEnterSizeMove, 0, 0);
    constexpr int kSteps = 4;
    for (int step = 1; step <= kSteps && !program_.Ended(); ++step) {
        const PointPx cursor{from.x + (x - from.x) * step / kSteps, from.y + (y - from.y) * step / kSteps};
        shell.SetCursor(cursor);
        RectPx proposed{start.left + cursor.x - from.x, start.top + cursor.y - from.y,
                        start.right + cursor.x - from.x, start.bottom + cursor.y - from.y};
        window.SendMessage(kWmMoving, 0, reinterpret_cast<std::intptr_t>(&proposed));
        window.SetWindowPos(0, proposed.left, proposed.top, proposed.right - proposed.left,
                            proposed.bottom - proposed.top, kSwpNoZOrder | kSwpNoActivate);
    }
    if (!program_.Ended()) window.SendMessage(kWmExitSizeMove, 0, 0);
    return true;
}

bool ScriptReader::Shell(const std::string& argument) {
    std::vector<std::string> words;
    Words(argument, words);
    HeadlessWindowManager& shell = platform_.windowManager;
    if (words.size() == 3 && words[0] == "appbar") {
        static const std::map<std::string, unsigned> kEdges = {
            {"left", 0}, {"top", 1}, {"right", 2}, {"bottom", 3},
            {"0", 0}, {"1", 1}, {"2", 2}, {"3", 3}};
        const auto edge = kEdges.find(words[1]);
        int thickness = 0;
        if (edge == kEdges.end() || !ParsePixels(words[2], thickness) || thickness < 0) return false;
        shell.AddOtherBar(edge->second, thickness);
        return true;
    }
    if (words.size() == 2 && words[0] == "fullscreen" && (words[1] == "0" || words[1] == "1")) {
        shell.SetFullScreenApp(words[1] == "1");
        return true;
    }
    if (words.size() == 1 && words[0] == "restart") {
        shell.Restart();
        // What the bar's window hears as the broadcast TaskbarCreated.
        if (AppBar* appBar = program_.appBar()) appBar->ShellRestarted();
        return true;
    }
    return false;
}

namespace {

// One monitor as `[*]NAME=WxH+X+Y`: X and Y carry their sign (+ or -), as in
// an X geometry; the star marks the primary.
bool ParseMonitor(std::string word, Monitor& monitor) {
    monitor.primary = !word.empty() && word.front() == '*';
    if (monitor.primary) word.erase(0, 1);
    const std::size_t equals = word.find('=');
    const std::size_t times = word.find('x', equals);
    const std::size_t offset = word.find_first_of("+-", times);
    const std::size_t second = offset == std::string::npos ? offset : word.find_first_of("+-", offset + 1);
    if (equals == 0 || equals == std::string::npos || times == std::string::npos || second == std::string::npos) {
        return false;
    }
    monitor.name = word.substr(0, equals);
    const auto signedNumber = [](const std::string& text, int& value) {
        return text.size() > 1 && ParsePixels(text.front() == '+' ? text.substr(1) : text, value);
    };
    int width = 0, height = 0, x = 0, y = 0;
    if (!ParsePixels(word.substr(equals + 1, times - equals - 1), width) ||
        !ParsePixels(word.substr(times + 1, offset - times - 1), height) ||
        !signedNumber(word.substr(offset, second - offset), x) || !signedNumber(word.substr(second), y) ||
        width <= 0 || height <= 0) {
        return false;
    }
    monitor.bounds = {x, y, x + width, y + height};
    return true;
}

}  // namespace

bool ScriptReader::Monitors(const std::string& argument) {
    std::vector<std::string> words;
    Words(argument, words);
    std::vector<Monitor> layout;
    for (const std::string& word : words) {
        Monitor monitor;
        if (!ParseMonitor(word, monitor)) return false;
        layout.push_back(monitor);
    }
    return platform_.windowManager.SetMonitors(std::move(layout));
}

bool ScriptReader::Dialog(const std::string& argument) {
    std::vector<std::string> words;
    Words(argument, words);
    HeadlessWindowFactory& windows = platform_.windows;
    HeadlessWindow* dialog = windows.FindWindow("frmOptions");
    if (!dialog || dialog->Closed() || words.empty()) return false;
    if (words[0] == "check" && words.size() == 3 && (words[2] == "on" || words[2] == "off")) {
        auto* box = dynamic_cast<HeadlessCheckBox*>(windows.FindControl("frmOptions", words[1]));
        if (!box) return false;
        box->SetChecked(words[2] == "on");
        return true;
    }
    if (words[0] == "keyup" && (words.size() == 3 || words.size() == 4)) {
        HeadlessTextBox* box = windows.FindTextBox("frmOptions", words[1]);
        int keyCode = 0;
        if (!box || !ParseNumber(words[2], keyCode)) return false;
        int shift = 0;
        for (const char c : words.size() == 4 ? words[3] : std::string()) {
            if (c == 'S') shift |= kShiftMask;
            else if (c == 'C') shift |= kCtrlMask;
            else if (c == 'A') shift |= kAltMask;
            else return false;
        }
        box->ReleaseKey(keyCode, shift);
        return true;
    }
    if (words[0] == "done" && words.size() == 1) {
        auto* button = dynamic_cast<HeadlessCommandButton*>(windows.FindControl("frmOptions", "btnDone"));
        if (!button) return false;
        button->Click();
        return true;
    }
    if (words[0] == "close" && words.size() == 1) {
        dialog->RequestClose();
        return true;
    }
    return false;
}

void ScriptReader::ReportDocking() {
    Form1* bar = program_.bar();
    if (!bar || bar->Unloaded()) return;
    const auto report = [this](std::string& last, const std::string& line) {
        if (line == last) return;
        last = line;
        output_(line);
    };
    if (AppBar* appBar = program_.appBar()) report(lastEdge_, EdgeEventLine(appBar->Edge()));
    NativeWindow& window = bar->window().Native();
    report(lastWindow_, WindowEventLine(window.GetWindowRect()));
    report(lastStrip_, StripEventLine(platform_.windowManager.StripOf(window.Handle())));
}

void ScriptReader::ReportHotkeys() {
    const std::string line = HotkeysEventLine(platform_.windows.Hotkeys().Registrations());
    if (line == lastHotkeys_) return;
    lastHotkeys_ = line;
    output_(line);
}

void ScriptReader::ReportDialog() {
    HeadlessWindow* dialog = platform_.windows.FindWindow("frmOptions");
    if (!dialog || dialog->Closed()) {
        lastDialog_.clear();
        return;
    }
    static constexpr const char* kBoxes[] = {"txtKey1",      "txtCustom(1)", "txtCustom(2)", "txtCustom(3)",
                                             "txtCustom(4)", "txtCustom(5)", "txtCustom(6)"};
    for (const char* name : kBoxes) {
        const HeadlessTextBox* box = platform_.windows.FindTextBox("frmOptions", name);
        if (!box) continue;
        const std::string text = box->Text();
        const auto last = lastDialog_.find(name);
        if (last != lastDialog_.end() && last->second == text) continue;
        lastDialog_[name] = text;
        output_(DialogEventLine(name, text));
    }
}

}  // namespace zindle
