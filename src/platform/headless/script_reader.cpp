#include "platform/headless/script_reader.h"

#include <charconv>
#include <iostream>
#include <sstream>

#include "appbar/appbar.h"
#include "bar/form1.h"
#include "platform/headless/headless_dialog_controls.h"
#include "platform/headless/output_format.h"
#include "startup/program.h"
#include "text/utf8.h"

namespace zindle {

namespace {

constexpr int kTwips = kHeadlessTwipsPerPixel;

template <typename Number>
bool ParseNumber(const std::string& text, Number& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && !text.empty();
}

// Screen pixels as a script gives them. The bound keeps every position and
// size, and the twips made from them, far inside int, however a script
// combines them; a line with a number outside it is not understood.
constexpr int kMaxScriptPixels = 1'000'000;

bool ParsePixels(const std::string& text, int& value) {
    return ParseNumber(text, value) && value >= -kMaxScriptPixels && value <= kMaxScriptPixels;
}

// The buttons by the names a script uses for them.
std::string ButtonControl(const std::string& name) {
    if (name == "run") return "picRunCmd";
    if (name == "swap") return "picSwapPos";
    if (name == "exit") return "picClose";
    return name;
}

const char* ButtonName(BarButton button) {
    switch (button) {
        case BarButton::Swap: return "swap";
        case BarButton::Run: return "run";
        case BarButton::Exit: break;
    }
    return "exit";
}

std::string Words(const std::string& text, std::vector<std::string>& words) {
    std::istringstream in(text);
    for (std::string word; in >> word;) words.push_back(word);
    return text;
}

}  // namespace

ScriptReader::ScriptReader(HeadlessPlatform& platform, Program& program, OutputSink output)
    : platform_(platform), program_(program), output_(std::move(output)) {
    platform_.windows.SetLabelChangeHandler([this](const HeadlessLabel& label) {
        if (label.WindowName() == "Form1" && label.Name() == "lblTimer") {
            OnClockLabel(label.Text(), label.Visible());
        }
    });
    if (Form1* bar = program_.bar()) {
        bar->SetFaceObserver([this](BarButton button, int face, int state) {
            output_(std::string("face: ") + ButtonName(button) + " " + std::to_string(face) + " " +
                    std::to_string(state));
        });
    }
}

void ScriptReader::OnClockLabel(const std::string& text, bool visible) {
    if (!visible) {
        if (clockVisible_) output_("clock: hidden");
        clockVisible_ = false;
        lastClock_ = text;
        return;
    }
    clockVisible_ = true;
    if (text == lastClock_) return;
    lastClock_ = text;
    output_("clock: " + EscapeLineBreaks(text));
}

void ScriptReader::ReportStatus() {
    Form1* bar = program_.bar();
    if (!bar) return;
    const std::string status = bar->StatusLine().Text();
    if (status == lastStatus_) return;
    lastStatus_ = status;
    output_("status: " + EscapeLineBreaks(status));
}

void ScriptReader::ReportCommandBox() {
    Form1* bar = program_.bar();
    if (!bar || bar->Unloaded()) return;
    TextBox& box = bar->txtCmd();
    std::string shown = "command: " + EscapeLineBreaks(box.Text());
    if (box.SelectionLength() > 0) {
        shown += " [" + std::to_string(box.SelectionStart()) + "+" +
                 std::to_string(box.SelectionLength()) + "]";
    }
    if (shown == lastCommand_) return;
    lastCommand_ = shown;
    output_(shown);
}

void ScriptReader::AfterStartup() {
    lastCommand_ = "command: ";
    ReportStatus();
    ReportCommandBox();
    ReportDocking();
    ReportHotkeys();
}

bool ScriptReader::Type(const std::string& text) {
    HeadlessTextBox* box = platform_.windows.FindTextBox("Form1", "txtCmd");
    if (!box) return false;
    for (const char32_t c : Utf8Decode(text)) {
        if (program_.Ended()) break;
        box->TypeCharacter(c);
    }
    return true;
}

bool ScriptReader::Key(const std::string& name) {
    HeadlessTextBox* box = platform_.windows.FindTextBox("Form1", "txtCmd");
    const std::optional<KeyName> key = ParseKeyName(name);
    if (!box || !key) return false;
    box->PressKey(*key);
    return true;
}

HeadlessPictureBox* ScriptReader::FindButton(const std::string& name) {
    return platform_.windows.FindPictureBox("Form1", ButtonControl(name));
}

bool ScriptReader::Mouse(const std::string& command, const std::string& argument) {
    std::vector<std::string> words;
    Words(argument, words);
    if (command == "click" && words.size() == 1) {
        HeadlessPictureBox* button = FindButton(words[0]);
        if (!button) return false;
        button->MouseDown(kLeftButton, kTwips, kTwips);
        button->MouseUp(kLeftButton, kTwips, kTwips);
        if (!program_.Ended()) button->Click();
        return true;
    }
    if ((command == "press" || command == "release") && words.size() == 2) {
        HeadlessPictureBox* button = FindButton(words[0]);
        const int mouseButton =
            words[1] == "left" ? kLeftButton : words[1] == "right" ? kRightButton : 0;
        if (!button || mouseButton == 0) return false;
        if (command == "press") {
            button->MouseDown(mouseButton, kTwips, kTwips);
        } else {
            button->MouseUp(mouseButton, kTwips, kTwips);
            // A release of the primary button over the button completes a click.
            if (mouseButton == kLeftButton && !program_.Ended()) button->Click();
        }
        return true;
    }
    if (command == "move" && words.size() == 3) {
        int x = 0, y = 0;
        HeadlessWindow* window = platform_.windows.FindWindow("Form1");
        if (!window || !ParsePixels(words[1], x) || !ParsePixels(words[2], y)) return false;
        return window->MouseMoveOver(ButtonControl(words[0]), x * kTwips, y * kTwips);
    }
    return false;
}

void ScriptReader::ShowSkin() {
    const SkinRecord& skin = program_.skin;
    output_("skin: name=" + EscapeLineBreaks(skin.gSkinName) +
            " height=" + std::to_string(skin.gBarHeight));
    std::string colours = "skin colors:";
    for (int slot = 1; slot <= 7; ++slot) colours += " " + HexColour(GetSkinColor(skin, slot));
    output_(colours);
    output_("skin fonts: command=" + FormatFont(skin.gCommandFont) +
            " status=" + FormatFont(skin.gStatusFont) + " clock=" + FormatFont(skin.gClockFont));
    static constexpr const char* kFaces[] = {"", "up", "down", "run", "exit"};
    std::string pictures = "skin pictures:";
    for (int face = 1; face <= 4; ++face) {
        pictures += std::string(" ") + kFaces[face] + "=";
        for (int state = 1; state <= 3; ++state) {
            const PicturePtr picture = GetSkinPicture(skin, face, state);
            pictures += (state > 1 ? "," : "") + (picture ? picture->Source() : std::string("none"));
        }
    }
    output_(EscapeLineBreaks(pictures));
}

bool ScriptReader::Show(const std::string& name) {
    if (name == "skin") {
        ShowSkin();
        return true;
    }
    HeadlessWindowFactory& windows = platform_.windows;
    if (const HeadlessControl* control = windows.FindControl("Form1", ButtonControl(name))) {
        output_(control->Describe());
        return true;
    }
    if (const HeadlessWindow* window = windows.FindWindow(name)) {
        output_(window->Describe());
        return true;
    }
    if (const HeadlessControl* control = windows.FindControl("frmSplash", name)) {
        output_(control->Describe());
        return true;
    }
    return false;
}

bool ScriptReader::Hotkey(const std::string& argument) {
    unsigned id = 0;
    Form1* bar = program_.bar();
    if (!bar || !ParseNumber(argument, id)) return false;
    bar->window().Native().SendMessage(kWmHotkey, id, 0);
    return true;
}

// The user drags the bar with the mouse to screen pixel (x, y): the move
// starts at the window's centre and goes there in a few steps.
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
        const RectPx now = window.GetWindowRect();
        RectPx proposed{now.left + cursor.x - from.x, now.top + cursor.y - from.y,
                        now.right + cursor.x - from.x, now.bottom + cursor.y - from.y};
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
    return false;
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
    const auto rect = [](const char* name, const RectPx& r) {
        return std::string(name) + ": " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
               std::to_string(r.right) + " " + std::to_string(r.bottom);
    };
    if (AppBar* appBar = program_.appBar()) report(lastEdge_, "edge: " + std::to_string(appBar->Edge()));
    NativeWindow& window = bar->window().Native();
    report(lastWindow_, rect("window", window.GetWindowRect()));
    const std::optional<RectPx> strip = platform_.windowManager.StripOf(window.Handle());
    report(lastStrip_, strip ? rect("strip", *strip) : std::string("strip: none"));
}

void ScriptReader::ReportHotkeys() {
    std::string line = "hotkeys:";
    for (const HotkeyRegistration& hotkey : platform_.system.Hotkeys()) {
        line += " " + std::to_string(hotkey.id) + ":" + std::to_string(hotkey.keyCode) + ":" +
                std::to_string(hotkey.modifiers);
    }
    if (line == "hotkeys:") line += " none";
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
        output_(std::string("dialog: ") + name + " " + EscapeLineBreaks(text));
    }
}

bool ScriptReader::Execute(const std::string& command, const std::string& argument) {
    Interpreter& interpreter = program_.interpreter;
    if (command == "run") {
        interpreter.gMessageShown = false;
        interpreter.gCommandFailed = false;
        interpreter.RunCommand(argument);
        ReportStatus();
        if (interpreter.gCommandFailed) output_("failed");
        return true;
    }
    if (command == "answer") {
        if (argument == "ok") platform_.dialogs.QueueAnswer(MessageAnswer::Ok);
        else if (argument == "yes") platform_.dialogs.QueueAnswer(MessageAnswer::Yes);
        else if (argument == "no") platform_.dialogs.QueueAnswer(MessageAnswer::No);
        else return false;
        return true;
    }
    if (command == "clipboard") {
        platform_.system.SetClipboardText(argument);
        return true;
    }
    if (command == "wait") {
        std::uint64_t milliseconds = 0;
        if (!ParseNumber(argument, milliseconds)) return false;
        platform_.time.Wait(milliseconds);
        return true;
    }
    if (command == "quit") {
        if (Form1* bar = program_.bar()) bar->Unload();
        return true;
    }
    if (command == "type") return Type(argument);
    if (command == "key") return Key(argument);
    if (command == "click" || command == "press" || command == "release" || command == "move") {
        return Mouse(command, argument);
    }
    if (command == "resize") {
        int width = 0;
        HeadlessWindow* window = platform_.windows.FindWindow("Form1");
        if (!window || !ParsePixels(argument, width) || width < 0) return false;
        window->Resize(width * kTwips);
        return true;
    }
    if (command == "show") return Show(argument);
    if (command == "hotkey") return Hotkey(argument);
    if (command == "drag") return Drag(argument);
    if (command == "screen") {
        std::vector<std::string> words;
        Words(argument, words);
        int width = 0, height = 0;
        if (words.size() != 2 || !ParsePixels(words[0], width) || !ParsePixels(words[1], height)) {
            return false;
        }
        platform_.windowManager.SetScreenSize(width, height);
        return true;
    }
    if (command == "shell") return Shell(argument);
    if (command == "dialog") return Dialog(argument);
    return false;
}

bool ScriptReader::Step() {
    std::string line;
    if (!std::getline(*script_, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') return true;
    const std::size_t blank = line.find(' ');
    const std::string command = line.substr(0, blank);
    const std::string argument = blank == std::string::npos ? "" : line.substr(blank + 1);
    if (!Execute(command, argument)) {
        std::cerr << "zindle-headless: cannot understand: " << line << '\n';
        ++errors_;
    }
    if (command != "run") ReportStatus();
    ReportCommandBox();
    ReportDocking();
    ReportHotkeys();
    ReportDialog();
    return true;
}

int ScriptReader::Run(std::istream& script) {
    script_ = &script;
    // A modal dialog reads the script's lines itself until it closes.
    platform_.windows.SetModalLoop([this](HeadlessWindow& dialog) {
        ReportDialog();
        while (!dialog.Closed() && !program_.Ended() && Step()) {
        }
    });
    while (!program_.Ended() && Step()) {
    }
    platform_.windows.SetModalLoop(nullptr);
    return errors_;
}
}  // namespace zindle
