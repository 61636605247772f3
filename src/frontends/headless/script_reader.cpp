#include "frontends/headless/script_reader.h"

#include <charconv>
#include <iostream>
#include <sstream>

#include "appbar/appbar.h"
#include "bar/form1.h"
#include "frontends/headless/headless_dialog_controls.h"
#include "frontends/headless/output_format.h"
#include "frontends/headless/script_parsing.h"
#include "startup/program.h"
#include "text/utf8.h"

namespace zindle {

namespace {

constexpr int kTwips = kHeadlessTwipsPerPixel;

// The buttons by the names a script uses for them.
std::string ButtonControl(const std::string& name) {
    if (name == "run") return "picRunCmd";
    if (name == "swap") return "picSwapPos";
    if (name == "exit") return "picClose";
    return name;
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
            output_(FaceEventLine(button, face, state));
        });
    }
}

void ScriptReader::OnClockLabel(const std::string& text, bool visible) {
    if (!visible) {
        if (clockVisible_) output_(kClockHiddenEventLine);
        clockVisible_ = false;
        lastClock_ = text;
        return;
    }
    clockVisible_ = true;
    if (text == lastClock_) return;
    lastClock_ = text;
    output_(ClockEventLine(text));
}

void ScriptReader::ReportStatus() {
    Form1* bar = program_.bar();
    if (!bar) return;
    const std::string status = bar->StatusLine().Text();
    if (status == lastStatus_) return;
    lastStatus_ = status;
    output_(StatusEventLine(status));
}

void ScriptReader::ReportCommandBox() {
    Form1* bar = program_.bar();
    if (!bar || bar->Unloaded()) return;
    TextBox& box = bar->txtCmd();
    const std::string shown = CommandEventLine(box.Text(), box.SelectionStart(), box.SelectionLength());
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

bool ScriptReader::Execute(const std::string& command, const std::string& argument) {
    Interpreter& interpreter = program_.interpreter;
    if (command == "run") {
        interpreter.gMessageShown = false;
        interpreter.gCommandFailed = false;
        interpreter.RunCommand(argument);
        ReportStatus();
        if (interpreter.gCommandFailed) output_(kFailedEventLine);
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
    if (command == "monitors") return Monitors(argument);
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
