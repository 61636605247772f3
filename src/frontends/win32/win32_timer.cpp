#include "frontends/win32/win32_timer.h"

#include <map>

#include "frontends/win32/win32_api.h"

namespace zindle {
namespace {

// Thread timers carry only their id; this finds the object again.
std::map<UINT_PTR, Win32Timer*>& Running() {
    static std::map<UINT_PTR, Win32Timer*> timers;
    return timers;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    const auto found = Running().find(id);
    if (found != Running().end()) found->second->Fire();
}

}  // namespace

Win32Timer::~Win32Timer() {
    enabled_ = false;
    Restart();
}

void Win32Timer::SetInterval(int milliseconds) {
    interval_ = milliseconds < 0 ? 0 : milliseconds;
    Restart();
}

void Win32Timer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Restart();
}

void Win32Timer::Restart() {
    if (id_) {
        KillTimer(nullptr, id_);
        Running().erase(id_);
        id_ = 0;
    }
    // Like a form's timer, an interval of 0 never fires.
    if (!enabled_ || interval_ == 0) return;
    id_ = SetTimer(nullptr, 0, static_cast<UINT>(interval_), &Tick);
    if (id_) Running()[id_] = this;
}

void Win32Timer::Fire() {
    // A copy: the handler may disable or destroy the timer.
    const auto onTick = onTick_;
    if (onTick) onTick();
}

}  // namespace zindle
