#pragma once
// Virtual time for the headless front end and the tests: a clock that moves
// only when told to, and window timers that fire against it. Nothing here
// depends on the real clock, so a run gives the same output every time.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/controls.h"
#include "platform/types.h"

namespace zindle {

// 2024-01-01T09:00:00, the moment a headless run starts unless told otherwise.
inline constexpr DateTime kDefaultStartTime = 45292.375;

// "YYYY-MM-DDTHH:MM:SS" as a DateTime; nullopt when the text is not exactly
// that or names no real moment on or after 1899-12-30T00:00:00.
std::optional<DateTime> ParseDateTime(std::string_view text);

struct VirtualTimerTable;

class VirtualTime {
public:
    // start is kept within 1899-12-30 to 9999-12-31.
    explicit VirtualTime(DateTime start = kDefaultStartTime);
    VirtualTime(const VirtualTime&) = delete;
    VirtualTime& operator=(const VirtualTime&) = delete;

    // The start moment plus the virtual milliseconds passed.
    DateTime Now() const;
    // Virtual milliseconds since the start, wrapping at 2^32.
    std::uint32_t TickCount() const;
    std::uint64_t ElapsedMilliseconds() const;

    // A sleeping thread runs nothing: time moves on, and timers that fall due
    // meanwhile wait for the next DoEvents or Wait.
    void Sleep(std::uint32_t milliseconds);
    // Runs each enabled timer that is due, once (missed periods coalesce, as
    // WM_TIMER does), earliest due first, ties in creation order.
    void DoEvents();
    // Idle time: moves to each due moment in turn and runs the timer due then,
    // every occurrence, until milliseconds have passed.
    void Wait(std::uint64_t milliseconds);

    // A new timer, disabled and with interval 0. It fires only while
    // canFire() is true (a closed window's timers stop). A timer never runs
    // its handler while that handler is already running.
    std::unique_ptr<Timer> CreateTimer(std::function<bool()> canFire);

private:
    std::int64_t startMilliseconds_;
    std::shared_ptr<VirtualTimerTable> table_;
};

}  // namespace zindle
