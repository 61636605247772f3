#pragma once
// "zindle --activate" from a desktop shortcut: the running bar of a display
// owns the selection _ZINDLE_BAR through a small window of its own; another
// process asks it to come forward with a client message on that window,
// carrying a fresh server time so that the window manager's focus-stealing
// prevention lets the bar have the focus.

#include <xcb/xcb.h>

#include <cstdint>
#include <optional>

#include "frontends/qt/x11_display.h"

namespace zindle {

class X11ActivationTarget {
public:
    // Takes the display's selection; a bar started without the instance
    // lock ("/multi") leaves it to the first.
    explicit X11ActivationTarget(X11Display& display);
    ~X11ActivationTarget();
    X11ActivationTarget(const X11ActivationTarget&) = delete;
    X11ActivationTarget& operator=(const X11ActivationTarget&) = delete;

    // The server time of an activation request; nothing for other events.
    std::optional<std::uint32_t> Request(const xcb_generic_event_t& event);
    // Asks the window manager to activate window for the person's own
    // action at time.
    void ActivateWindow(xcb_window_t window, std::uint32_t time);

private:
    X11Display& display_;
    xcb_window_t window_ = XCB_WINDOW_NONE;
};

// From a process without Qt: asks the bar of the display to come forward.
// False when no bar runs there (or the display cannot be reached).
bool RequestActivation(const char* displayName);

}  // namespace zindle
