#pragma once
// The command language on its own: the interpreter, its substitutions and
// the INI engine over the memory files, with stand-ins for the bar and the
// platform that record what the interpreter asks of them. A fuzz target
// keeps one harness for the whole process and resets it after every input;
// Reset checks that nothing of the input survived, so that every input
// still replays on its own. Reset frees all that the input allocated, so
// that libFuzzer's leak check sees as many frees as allocations.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "clock/clocks.h"
#include "frontends/headless/headless_controls.h"
#include "frontends/headless/headless_storage.h"
#include "frontends/headless/headless_window_manager.h"
#include "frontends/headless/virtual_time.h"
#include "interpreter/history.h"
#include "interpreter/hosts.h"
#include "interpreter/interpreter.h"
#include "platform/platform.h"
#include "profile/private_profile_engine.h"
#include "profile/profile_store.h"
#include "profile/program_settings.h"

namespace zindle::fuzz {

class FingerprintWriter;

// What the interpreter asked of the world, in order. Only the first
// kMaxEvents are kept: a runaway line may ask millions of times.
class Requests {
public:
    static constexpr std::size_t kMaxEvents = 256;

    void Add(std::string event);
    const std::vector<std::string>& Events() const { return events_; }
    std::uint64_t Count() const { return count_; }
    void Clear();

private:
    std::vector<std::string> events_;
    std::uint64_t count_ = 0;
};

// A label that keeps what is set on it; onText runs after every change of
// its text (the status line changes at every step of a command).
class RecordingLabel final : public Label {
public:
    void SetLeft(int twips) override { left_ = twips; }
    void SetTop(int twips) override { top_ = twips; }
    void SetWidth(int twips) override { width_ = twips; }
    void SetHeight(int twips) override { height_ = twips; }
    int Left() const override { return left_; }
    int Top() const override { return top_; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetVisible(bool visible) override { visible_ = visible; }
    bool Visible() const override { return visible_; }
    void SetText(const std::string& text) override;
    std::string Text() const override { return text_; }
    bool ShowsText(std::string_view text) const override { return text_ == text; }
    void SetForeColor(Colour colour) override { fore_ = colour; }
    Colour ForeColor() const override { return fore_; }
    void SetBackColor(Colour colour) override { back_ = colour; }
    Colour BackColor() const override { return back_; }
    void SetTransparent(bool transparent) override { transparent_ = transparent; }
    void SetAlignment(Alignment alignment) override { alignment_ = alignment; }
    Alignment GetAlignment() const override { return alignment_; }
    void SetFont(const FontSpec& font) override { font_ = font; }
    FontSpec Font() const override { return font_; }
    void SetAutoSize(bool autoSize) override { autoSize_ = autoSize; }

    std::function<void()> onText;
    void AddTo(FingerprintWriter& out) const;
    void Reset();

private:
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true, transparent_ = false, autoSize_ = false;
    std::string text_;
    std::uint64_t changes_ = 0;
    Colour fore_ = 0, back_ = 0;
    Alignment alignment_ = Alignment::Left;
    FontSpec font_;
};

// Launches and sounds are recorded, never started. A target or program whose
// name starts with "missing" is not found, so both outcomes are reachable.
class RecordingShell final : public Shell {
public:
    explicit RecordingShell(Requests& requests) : requests_(requests) {}
    int OpenTarget(const std::string& target) override;
    bool RunProgram(const std::string& commandLine) override;
    void PlaySoundFile(const std::string& path) override;

private:
    Requests& requests_;
};

// Message boxes are recorded and answered from a queue, then with the first
// button.
class RecordingDialogs final : public Dialogs {
public:
    explicit RecordingDialogs(Requests& requests) : requests_(requests) {}
    MessageAnswer MessageBox(const std::string& text, const std::string& title, MessageIcon icon,
                             MessageButtons buttons, NativeWindow* owner) override;
    void QueueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
    void AddTo(FingerprintWriter& out) const;
    void Reset() { answers_.clear(); }

private:
    Requests& requests_;
    std::vector<MessageAnswer> answers_;
};

// Virtual time (the current input's clock), an empty clipboard and no
// registry.
class StandInSystem final : public System {
public:
    static constexpr const char* kProgramDirectory = "/zindle";

    explicit StandInSystem(Requests& requests) : requests_(requests) {}
    // The current input's clock.
    void UseTime(VirtualTime& time) { time_ = &time; }
    // The timers that can fall due: DoEvents has nothing to run while none is
    // on, which it checks once for every step of a status effect.
    int timersOn = 0;

    std::string ProgramDirectory() override { return kProgramDirectory; }
    char PathSeparator() const override { return '/'; }
    std::string CommandLine() override { return {}; }
    bool AnotherInstanceRunning() override { return false; }
    std::string ClipboardText() override { return {}; }
    std::optional<std::vector<std::uint8_t>> ReadRegistryBinary(const std::string&) override { return std::nullopt; }
    bool WriteRegistryBinary(const std::string& key, const std::vector<std::uint8_t>&) override;
    DateTime Now() override { return time_->Now(); }
    DateOrder LocaleDateOrder() override { return DateOrder::MonthDayYear; }
    std::uint32_t TickCount() override { return time_->TickCount(); }
    void Sleep(std::uint32_t milliseconds) override { time_->Sleep(milliseconds); }
    void DoEvents() override;

    void AddTo(FingerprintWriter& out) const;

private:
    Requests& requests_;
    VirtualTime* time_ = nullptr;
};

// A timer of the virtual clock that keeps count of the timers that are on.
class CountedTimer final : public Timer {
public:
    CountedTimer(std::unique_ptr<Timer> timer, int& timersOn) : timer_(std::move(timer)), timersOn_(timersOn) {}
    ~CountedTimer() override { SetEnabled(false); }
    void SetInterval(int milliseconds) override { timer_->SetInterval(milliseconds); }
    int Interval() const override { return timer_->Interval(); }
    void SetEnabled(bool enabled) override;
    bool Enabled() const override { return timer_->Enabled(); }
    void SetHandler(std::function<void()> onTick) override { timer_->SetHandler(std::move(onTick)); }

private:
    std::unique_ptr<Timer> timer_;
    int& timersOn_;
};

class CommandLanguageHarness final : BarHost, DockHost, SkinHost, OptionsHost {
public:
    // Takes the fingerprint every Reset must give back.
    CommandLanguageHarness();
    CommandLanguageHarness(const CommandLanguageHarness&) = delete;
    CommandLanguageHarness& operator=(const CommandLanguageHarness&) = delete;

    // Back to the state of a harness just made: the memory files hold only
    // the empty program directory, every buffer an input grew is released.
    // Aborts when anything differs from that state.
    void Reset();
    // Everything an input can change, as one text.
    std::string Fingerprint() const;

    // Makes zindle.ini hold the bytes and reads the settings from it, as
    // start-up does.
    void UseSettingsFile(std::string_view bytes);
    // One top-level line, as the bar hands a typed line over.
    void Run(const std::string& line);
    // Idle time: the clocks tick and count down meanwhile.
    void Wait(std::uint64_t milliseconds);

    Interpreter& interpreter() { return session_->interpreter; }
    Requests requests;
    RecordingDialogs dialogs{requests};
    StandInSystem system{requests};
    RecordingLabel statusLine;
    ProgramSettings settings;
    History history;
    std::string programDirectory() const { return StandInSystem::kProgramDirectory; }

private:
    // What cannot be reset but by making it anew: the engine's cache, the
    // interpreter's counters, the clocks and their timers.
    struct Session {
        explicit Session(CommandLanguageHarness& harness);
        ~Session();

        VirtualTime time;
        DiskStorage unusedStorage;
        HeadlessWindowFactory windows{time, unusedStorage};
        HeadlessWindowManager windowManager{windows};
        PrivateProfileEngine engine;
        ProfileStore store{engine};
        Platform platform;
        Interpreter interpreter;
        std::array<CountedTimer, Clocks::kClockCount> timers;
        Clocks clocks;
    };

    Label& StatusLine() override { return statusLine; }
    void BlinkBar() override { requests.Add("blink"); }
    void Unload() override;
    void DockAtEdge(int edge) override { requests.Add("dock: " + std::to_string(edge)); }
    void LoadSkin(const std::string& name) override { requests.Add("skin: " + name); }
    void ShowHotkeyOptions() override { requests.Add("options"); }

    RecordingShell shell_{requests};
    RecordingLabel clockLabel_;
    std::optional<Session> session_;
    void WriteFingerprint(std::string& text) const;

    std::string pristine_;
    std::string check_;
};

}  // namespace zindle::fuzz
