#pragma once
// System-wide hotkeys as passive key grabs on the root window, owned by
// windows as the core registers them.

#include <cstdint>
#include <optional>
#include <vector>

#include "frontends/common/event_lines.h"
#include "frontends/qt/x11_display.h"

namespace zindle {

class X11Hotkeys {
public:
    // display may be null (no X): then no key can be had.
    explicit X11Hotkeys(X11Display* display) : display_(display) {}

    // False when the key cannot be had: no keysym or key code for it, a key
    // code outside 1 to 254, the id in use on this window, or another client
    // (or another of our windows) holding the key.
    bool Register(std::uintptr_t window, int id, int keyCode, int modifiers);
    void Unregister(std::uintptr_t window, int id);
    void UnregisterAll(std::uintptr_t window);
    // Sorted by id.
    std::vector<HotkeyRegistration> Registrations(std::uintptr_t window) const;

    struct Hit {
        std::uintptr_t window;
        int id;
    };
    // The hotkey a key press on the root window stands for; Lock and NumLock
    // do not matter.
    std::optional<Hit> Match(std::uint8_t keycode, std::uint16_t state) const;

private:
    struct Grab {
        std::uintptr_t window;
        HotkeyRegistration registration;
        std::uint8_t keycode;
        std::uint16_t modifiers;
    };

    X11Display* display_;
    std::vector<Grab> grabs_;
};

}  // namespace zindle
