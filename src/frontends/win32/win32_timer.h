#pragma once
// A control timer: a thread timer of the message loop, so that its ticks
// never pass through a window's procedure chain.

#include <cstdint>

#include "platform/controls.h"

namespace zindle {

class Win32Timer : public Timer {
public:
    Win32Timer() = default;
    ~Win32Timer() override;
    Win32Timer(const Win32Timer&) = delete;
    Win32Timer& operator=(const Win32Timer&) = delete;

    void SetInterval(int milliseconds) override;
    int Interval() const override { return interval_; }
    void SetEnabled(bool enabled) override;
    bool Enabled() const override { return enabled_; }
    void SetHandler(std::function<void()> onTick) override { onTick_ = std::move(onTick); }

    // A tick from the message loop.
    void Fire();

private:
    void Restart();

    int interval_ = 0;
    bool enabled_ = false;
    std::uintptr_t id_ = 0;
    std::function<void()> onTick_;
};

}  // namespace zindle
