#include "command_language_harness.h"

#include <algorithm>
#include <concepts>
#include <cstdio>
#include <cstdlib>

#include "file_system_memory.h"

namespace zindle::fuzz {

// Appends "name=SIZE:VALUE;" for each field, so that no two states give the
// same text.
class FingerprintWriter {
public:
    explicit FingerprintWriter(std::string& text) : text_(text) {}
    FingerprintWriter& Add(std::string_view name, std::string_view value) {
        text_.append(name).append("=").append(std::to_string(value.size())).append(":").append(value).append(";");
        return *this;
    }
    template <std::integral Number>
    FingerprintWriter& Add(std::string_view name, Number value) {
        return Add(name, std::to_string(static_cast<std::int64_t>(value)));
    }
    FingerprintWriter& Add(std::string_view name, double value) { return Add(name, std::to_string(value)); }

private:
    std::string& text_;
};

namespace {

bool Always() { return true; }

void AddHistory(FingerprintWriter& out, const History& history) {
    out.Add("index", history.gHistoryIndex).Add("last run", history.gLastRunText);
    for (const std::string& entry : history.gHistory) out.Add("entry", entry);
}

void AddSettings(FingerprintWriter& out, const ProgramSettings& s) {
    out.Add("starting", s.gStartingUp).Add("app", s.gAppPath).Add("ini", s.gIniPath).Add("history", s.gHistoryPath);
    out.Add("splash", s.gSplashTime).Add("main", s.gUseMainHotkey).Add("key", s.gMainKey).Add("shift", s.gMainShift);
    out.Add("case", s.gCaseSensitive).Add("length", s.gHistoryLength).Add("recurse", s.gRecurseLimit);
    out.Add("ok", s.gOkText);
    for (const CustomHotkey& hotkey : s.gCustomHotkeys) {
        out.Add("hotkey", hotkey.enabled).Add("key", hotkey.key).Add("shift", hotkey.shift);
    }
}

void AddMemoryFiles(FingerprintWriter& out) {
    for (const std::string& path : MemoryTree("/")) {
        const std::optional<std::string> bytes = ReadMemoryFile("/" + path);
        out.Add(bytes ? "file" : "folder", path);
        if (bytes) out.Add("bytes", *bytes);
    }
}

}  // namespace

void Requests::Add(std::string event) {
    ++count_;
    if (events_.size() < kMaxEvents) events_.push_back(std::move(event));
}

void Requests::Clear() {
    events_ = {};
    count_ = 0;
}

void RecordingLabel::SetText(const std::string& text) {
    text_ = text;
    ++changes_;
    if (onText) onText();
}

void RecordingLabel::AddTo(FingerprintWriter& out) const {
    out.Add("left", left_).Add("top", top_).Add("width", width_).Add("height", height_).Add("visible", visible_);
    out.Add("transparent", transparent_).Add("auto", autoSize_).Add("text", text_);
    out.Add("changes", changes_).Add("fore", fore_).Add("back", back_);
    out.Add("align", static_cast<int>(alignment_)).Add("font", font_.name).Add("size", font_.size);
    out.Add("bold", font_.bold).Add("italic", font_.italic).Add("strike", font_.strikethrough);
    out.Add("underline", font_.underline);
}

void RecordingLabel::Reset() { *this = RecordingLabel(); }

int RecordingShell::OpenTarget(const std::string& target) {
    requests_.Add("open: " + target);
    return target.starts_with("missing") ? 2 : 42;
}

bool RecordingShell::RunProgram(const std::string& commandLine) {
    requests_.Add("exec: " + commandLine);
    return !commandLine.starts_with("missing");
}

void RecordingShell::PlaySoundFile(const std::string& path) { requests_.Add("sound: " + path); }

MessageAnswer RecordingDialogs::MessageBox(const std::string& text, const std::string& title, MessageIcon icon,
                                           MessageButtons buttons, NativeWindow*) {
    requests_.Add("msgbox: " + title + " | " + text + " | " + std::to_string(static_cast<int>(icon)) + " | " +
                  std::to_string(static_cast<int>(buttons)));
    const MessageAnswer first = buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    if (answers_.empty()) return first;
    const MessageAnswer answer = answers_.front();
    answers_.erase(answers_.begin());
    const bool offered = buttons == MessageButtons::YesNo ? answer != MessageAnswer::Ok : answer == MessageAnswer::Ok;
    return offered ? answer : first;
}

void RecordingDialogs::AddTo(FingerprintWriter& out) const {
    for (MessageAnswer answer : answers_) out.Add("answer", static_cast<int>(answer));
}

bool StandInSystem::WriteRegistryBinary(const std::string& key, const std::vector<std::uint8_t>&) {
    requests_.Add("registry: " + key);
    return false;
}

void StandInSystem::DoEvents() {
    if (timersOn > 0) time_->DoEvents();
}

void CountedTimer::SetEnabled(bool enabled) {
    if (enabled != timer_->Enabled()) timersOn_ += enabled ? 1 : -1;
    timer_->SetEnabled(enabled);
}

void StandInSystem::AddTo(FingerprintWriter& out) const {
    out.Add("now", time_->Now()).Add("timers on", timersOn);
    out.Add("elapsed", time_->ElapsedMilliseconds());
}

CommandLanguageHarness::Session::Session(CommandLanguageHarness& harness)
    : platform{engine, harness.shell_, harness.dialogs, harness.system, windows, windowManager},
      interpreter(platform, store, harness.settings, harness.history),
      timers{CountedTimer(time.CreateTimer(Always), harness.system.timersOn),
             CountedTimer(time.CreateTimer(Always), harness.system.timersOn),
             CountedTimer(time.CreateTimer(Always), harness.system.timersOn),
             CountedTimer(time.CreateTimer(Always), harness.system.timersOn),
             CountedTimer(time.CreateTimer(Always), harness.system.timersOn)},
      clocks(harness.system, harness.dialogs, store, harness.settings, interpreter, harness.statusLine,
             harness.clockLabel_, {&timers[0], &timers[1], &timers[2], &timers[3], &timers[4]}) {
    harness.system.UseTime(time);
    interpreter.SetHosts(InterpreterHosts{&harness, &harness, &clocks, &harness, &harness});
}

CommandLanguageHarness::Session::~Session() { clocks.StopAll(); }

CommandLanguageHarness::CommandLanguageHarness() {
    ResetMemoryFiles();
    MakeMemoryDirectories(programDirectory());
    SetProgramPaths(settings, programDirectory(), '/');
    session_.emplace(*this);
    pristine_ = Fingerprint();
}

void CommandLanguageHarness::Reset() {
    session_.reset();
    ResetMemoryFiles();
    MakeMemoryDirectories(programDirectory());
    requests.Clear();
    dialogs.Reset();
    statusLine.Reset();
    clockLabel_.Reset();
    settings = ProgramSettings{};
    SetProgramPaths(settings, programDirectory(), '/');
    history = History{};
    session_.emplace(*this);
    // Written into a buffer kept from input to input.
    check_.clear();
    WriteFingerprint(check_);
    if (check_ != pristine_) {
        std::fprintf(stderr, "the harness kept state from the last input:\n%s\ninstead of\n%s\n",
                     check_.c_str(), pristine_.c_str());
        std::abort();
    }
}

std::string CommandLanguageHarness::Fingerprint() const {
    std::string text;
    text.reserve(pristine_.size());
    WriteFingerprint(text);
    return text;
}

void CommandLanguageHarness::WriteFingerprint(std::string& text) const {
    FingerprintWriter out(text);
    const Interpreter& in = session_->interpreter;
    out.Add("depth", in.Depth()).Add("aborted", in.Aborted()).Add("quit", in.QuitRequested());
    out.Add("shown", in.gMessageShown).Add("failed", in.gCommandFailed).Add("failure shown", in.gFailureShown);
    out.Add("last user command", in.gLastUserCommand);
    for (std::size_t i = 0; i < Clocks::kClockCount; ++i) {
        out.Add("mode", session_->clocks.gClockMode[i]).Add("target", session_->clocks.gClockTarget[i]);
        out.Add("fired", session_->clocks.gClockFired[i]).Add("ticking", session_->timers[i].Enabled());
    }
    for (const std::string& event : requests.Events()) out.Add("request", event);
    out.Add("requests", requests.Count());
    dialogs.AddTo(out);
    system.AddTo(out);
    statusLine.AddTo(out);
    clockLabel_.AddTo(out);
    AddSettings(out, settings);
    AddHistory(out, history);
    AddMemoryFiles(out);
}

void CommandLanguageHarness::UseSettingsFile(std::string_view bytes) {
    WriteMemoryFile(settings.gIniPath, bytes);
    ReadBehaviourSettings(session_->store, settings);
}

void CommandLanguageHarness::Run(const std::string& line) {
    Interpreter& in = session_->interpreter;
    in.gMessageShown = false;
    in.gCommandFailed = false;
    in.RunCommand(line);
}

void CommandLanguageHarness::Wait(std::uint64_t milliseconds) { session_->time.Wait(milliseconds); }

void CommandLanguageHarness::Unload() {
    requests.Add("unload");
    session_->interpreter.StopForUnload();
    session_->clocks.StopAll();
}

}  // namespace zindle::fuzz
