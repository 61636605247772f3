#pragma once
// The windows and controls the core drives. Geometry is in twips; front ends
// convert at the screen's twips per pixel.

#include <functional>
#include <memory>
#include <string>

#include "platform/types.h"

namespace zindle {

class Label {
public:
    virtual ~Label() = default;
    virtual void SetText(const std::string& text) = 0;
    virtual std::string Text() const = 0;
    virtual void SetForeColor(Colour colour) = 0;
    virtual Colour ForeColor() const = 0;
};

// A window timer: fires every Interval() milliseconds while enabled, on the
// UI thread, from the message loop (never while the thread sleeps).
class Timer {
public:
    virtual ~Timer() = default;
    virtual void SetInterval(int milliseconds) = 0;
    virtual int Interval() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetHandler(std::function<void()> onTick) = 0;
};

class Window {
public:
    virtual ~Window() = default;
    virtual std::unique_ptr<Label> CreateLabel(const std::string& name) = 0;
    virtual std::unique_ptr<Timer> CreateTimer(const std::string& name) = 0;
    virtual void SetBackColor(Colour colour) = 0;
    virtual Colour BackColor() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool Visible() const = 0;
    // Destroys the native window; the front end's message loop ends when the
    // main window is closed.
    virtual void Close() = 0;
};

class WindowFactory {
public:
    virtual ~WindowFactory() = default;
    virtual std::unique_ptr<Window> CreateWindow(const std::string& name,
                                                 const std::string& caption) = 0;
};

}  // namespace zindle
