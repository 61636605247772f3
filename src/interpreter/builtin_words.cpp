// The built-in "%%" words.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>

#include "interpreter/history.h"
#include "interpreter/interpreter.h"
#include "interpreter/launch.h"
#include "interpreter/line.h"
#include "interpreter/run_time_variables.h"
#include "platform/platform.h"
#include "profile/conversions.h"
#include "profile/profile_store.h"
#include "profile/program_settings.h"
#include "text/utf8.h"
#include "version.h"

namespace zindle {

namespace {

constexpr const char* kCmds = "cmds";
constexpr const char* kAboutTitle = "Zindle - the keyboard command bar";

// The longest "%%sleep": the thread neither paints nor reacts while it
// sleeps, so a mistyped number must not freeze the bar for days.
constexpr double kMaxSleepMilliseconds = 60'000;

// "%%sleep" waits at least nothing and at most kMaxSleepMilliseconds.
std::uint32_t SleepMilliseconds(const std::string& text) {
    const double value = std::nearbyint(LeadingNumber(text));
    if (!(value > 0)) return 0;
    return static_cast<std::uint32_t>(std::min(value, kMaxSleepMilliseconds));
}

}  // namespace

Interpreter::Handler Interpreter::FindBuiltin(std::string_view word) {
    // Every built-in word starts with "%%": a user's word, looked up at
    // every level of a chain of words, is told apart without lowering it.
    if (!word.starts_with("%%")) return nullptr;
    static const std::unordered_map<std::string, Handler> kWords = {
        {"%%noop", &Interpreter::DoNoop},         {"%%w3", &Interpreter::DoW3},
        {"%%open", &Interpreter::DoOpen},         {"%%exe", &Interpreter::DoExe},
        {"%%parse", &Interpreter::DoParse},       {"%%macro", &Interpreter::DoMacro},
        {"%%save", &Interpreter::DoSave},         {"%%delete", &Interpreter::DoDelete},
        {"%%forget", &Interpreter::DoForget},     {"%%forgetlike", &Interpreter::DoForgetLike},
        {"%%clock", &Interpreter::DoClock},       {"%%setvar", &Interpreter::DoSetVar},
        {"%%skin", &Interpreter::DoSkin},         {"%%sleep", &Interpreter::DoSleep},
        {"%%wav", &Interpreter::DoWav},           {"%%msg", &Interpreter::DoMsg},
        {"%%hotkeys", &Interpreter::DoHotkeys},   {"%%options", &Interpreter::DoHotkeys},
        {"%%debug", &Interpreter::DoDebug},       {"%%flash", &Interpreter::DoFlash},
        {"%%msgbox", &Interpreter::DoMsgBox},     {"%%show", &Interpreter::DoShow},
        {"%%showbox", &Interpreter::DoShowBox},   {"%%up", &Interpreter::DoUp},
        {"%%down", &Interpreter::DoDown},         {"%%about", &Interpreter::DoAbout},
        {"%%err", &Interpreter::DoErr},           {"%%quit", &Interpreter::DoQuit},
    };
    const auto found = kWords.find(LowerAscii(word));
    return found == kWords.end() ? nullptr : found->second;
}

void Interpreter::DoNoop(const Line&, bool&) {}

void Interpreter::DoLaunch(const Line& line, bool web) {
    const std::string failure = LaunchTarget(platform_.shell, line.rest, web);
    gMessageShown = !failure.empty();
    if (failure.empty()) return;
    Write(failure);
    MarkFailed();
}

void Interpreter::DoW3(const Line& line, bool&) { DoLaunch(line, true); }
void Interpreter::DoOpen(const Line& line, bool&) { DoLaunch(line, false); }

void Interpreter::DoExe(const Line& line, bool&) {
    const bool started = RunProgram(platform_.shell, line.rest);
    gMessageShown = !started;
    if (started) return;
    Show("Error performing '%%exe " + line.rest + "'");
    MarkFailed();
}

void Interpreter::DoParse(const Line& line, bool& nested) {
    ++depth_;
    nested = true;
    RunCommand(ExpandParameters(line.rest));
}

// Only a macro that ran a line counts as nested: an empty one ran nothing
// and must leave the counter at 0 like any other plain command.
void Interpreter::DoMacro(const Line& line, bool& nested) {
    nested = RunMacro(line.rest);
}

// Writes to the command table. A write that did not reach the file is
// reported rather than answered with the OK text.
bool Interpreter::WriteCommand(const std::string& key, std::optional<std::string_view> value) {
    return !key.empty() && store_.WriteIniValue(kCmds, key, settings_.gIniPath, value);
}

void Interpreter::DoSave(const Line& line, bool&) {
    if (WriteCommand(line.firstArgument, line.RestAfterArgument())) return;
    gMessageShown = true;
    Show("Error performing '%%save " + line.rest + "'");
    MarkFailed();
}

void Interpreter::DoDelete(const Line& line, bool&) {
    if (WriteCommand(line.firstArgument, std::nullopt)) return;
    gMessageShown = true;
    Show("Error performing '%%delete " + line.rest + "'");
    MarkFailed();
}

void Interpreter::DoForget(const Line& line, bool&) {
    if (ForgetEntry(history_, Utf8Lower(line.rest))) return;
    Show("No match found to Forget");
    gMessageShown = true;
}

void Interpreter::DoForgetLike(const Line& line, bool&) {
    const int removed = ForgetMatching(history_, Utf8Lower(line.rest));
    Show(removed > 0 ? "Removed " + std::to_string(removed) + " items OK"
                     : std::string("Nothing found to Forget"));
    gMessageShown = true;
}

void Interpreter::DoClock(const Line& line, bool&) {
    if (line.rest.empty()) {
        Show("%%Clock without a Clock Command...");
        gMessageShown = true;
    } else if (hosts_.clock) {
        hosts_.clock->ClockCommand(line.rest);
    }
}

void Interpreter::DoSetVar(const Line& line, bool&) {
    if (SetSpecialVariable(settings_, line.firstArgument, line.RestAfterArgument())) return;
    gMessageShown = true;
    Show("Error performing '%%setvar " + line.rest + "'");
    MarkFailed();
}

void Interpreter::DoSkin(const Line& line, bool&) {
    if (hosts_.skins) hosts_.skins->LoadSkin(line.rest);
}

void Interpreter::DoSleep(const Line& line, bool&) {
    platform_.system.Sleep(SleepMilliseconds(line.rest));
}

void Interpreter::DoWav(const Line& line, bool&) {
    platform_.shell.PlaySoundFile(line.rest);
    gMessageShown = true;
}

void Interpreter::DoMsg(const Line& line, bool&) {
    Show(line.rest);
    gMessageShown = true;
}

void Interpreter::DoHotkeys(const Line&, bool&) {
    if (hosts_.options) hosts_.options->ShowHotkeyOptions();
}

void Interpreter::DoDebug(const Line&, bool&) {
    Write("INIFile:" + settings_.gIniPath + ", App.Path:" + platform_.system.ProgramDirectory());
    gMessageShown = true;
}

void Interpreter::DoFlash(const Line&, bool&) {
    if (hosts_.bar) hosts_.bar->BlinkBar();
    gMessageShown = true;
}

void Interpreter::DoMsgBox(const Line& line, bool&) {
    platform_.dialogs.MessageBox(line.rest, "Zindle Script Message", MessageIcon::Information,
                                 MessageButtons::Ok);
}

void Interpreter::DoShow(const Line& line, bool&) {
    Write(line.firstArgument + "=" +
          store_.ReadIniValue(kCmds, line.firstArgument, "", settings_.gIniPath));
    gMessageShown = true;
}

void Interpreter::DoShowBox(const Line& line, bool&) {
    const std::string value = store_.ReadIniValue(kCmds, line.firstArgument, "", settings_.gIniPath);
    platform_.dialogs.MessageBox(line.firstArgument + "=" + value,
                                 "Expansion of '" + line.firstArgument + "'",
                                 MessageIcon::Information, MessageButtons::Ok);
}

void Interpreter::MoveToEdge(int edge, const char* iniValue) {
    store_.WriteIniValue("cfg", "edge", settings_.gIniPath, iniValue);
    if (hosts_.dock) hosts_.dock->DockAtEdge(edge);
}

void Interpreter::DoUp(const Line&, bool&) { MoveToEdge(1, "t"); }
void Interpreter::DoDown(const Line&, bool&) { MoveToEdge(3, "b"); }

void Interpreter::DoAbout(const Line&, bool&) {
    platform_.dialogs.MessageBox(std::string("Zindle Version ") + kVersionText, kAboutTitle,
                                 MessageIcon::None, MessageButtons::Ok);
}

void Interpreter::DoErr(const Line&, bool&) {
    // One lookup: a chain of unknown words comes here at every level.
    const std::string fallback = store_.ReadIniValue(kCmds, "$fallback", "", settings_.gIniPath);
    if (fallback.find_first_not_of(' ') != std::string::npos) {
        RunCommand(fallback + " " + gLastUserCommand);
        return;
    }
    Show("...Confused... userverb not found or general err");
    gMessageShown = true;
    MarkFailed();
}

void Interpreter::DoQuit(const Line&, bool&) {
    quitRequested_ = true;
    if (hosts_.bar) hosts_.bar->Unload();
}

}  // namespace zindle
