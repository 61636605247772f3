#pragma once
// The five clocks A to E of the bar: "%%clock" sets their modes and switches
// them, and each one-second timer tick shows or counts and, for a clock
// counting down, runs the command-table entry "!onclock-" + letter once when
// the count reaches zero. Only clock A is shown, in lblTimer.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "interpreter/hosts.h"
#include "platform/types.h"

namespace zindle {

class System;
class Dialogs;
class ProfileStore;
struct ProgramSettings;
class Interpreter;
class Label;
class Timer;

class Clocks final : public ClockHost {
public:
    static constexpr int kClockCount = 5;

    // Every reference must stay valid, and none of the timers null, while the
    // timers can tick: the constructor gives each timer a one-second interval
    // and its tick handler (clock A's shows its text in lblTimer). StopAll
    // before the timers or this object go away.
    Clocks(System& system, Dialogs& dialogs, ProfileStore& store, const ProgramSettings& settings,
           Interpreter& interpreter, Label& lblMsg, Label& lblTimer,
           std::array<Timer*, kClockCount> tmrClock);
    Clocks(const Clocks&) = delete;
    Clocks& operator=(const Clocks&) = delete;

    // One "%%clock" command: "CLOCK mode WORD [TIME]" or "CLOCK switch on|off",
    // fields separated by single blanks. Its messages go straight to lblMsg
    // and set the interpreter's gMessageShown.
    void ClockCommand(const std::string& parameters) override;

    // One second's work of clock i (0 for A) and the text to show for it.
    std::string ClockTick(std::int16_t i);

    // Switches every clock off without touching the label (the bar unloads).
    void StopAll();

    // 0 not set, 1 count down, 2 count to, 3 count up, 4 time of day.
    std::array<std::int16_t, kClockCount> gClockMode{};
    // The moment counted down to (modes 1 and 2) or up from (mode 3).
    std::array<DateTime, kClockCount> gClockTarget{};
    // The clock's event has run since it was last switched on.
    std::array<bool, kClockCount> gClockFired{};

private:
    void ShowMessage(const std::string& text);
    void SetMode(std::size_t i, const std::string& word, const std::string& timeText);
    void SwitchOn(std::size_t i);
    void SwitchOff(std::size_t i);
    void RunClockEvent(std::size_t i);

    System& system_;
    Dialogs& dialogs_;
    ProfileStore& store_;
    const ProgramSettings& settings_;
    Interpreter& interpreter_;
    Label& lblMsg_;
    Label& lblTimer_;
    std::array<Timer*, kClockCount> tmrClock_;
};

}  // namespace zindle
