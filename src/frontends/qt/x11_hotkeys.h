#pragma once
// System-wide hotkeys as passive key grabs on the root window, owned by
// windows as the core registers them. A hotkey names a key as Windows does
// (a virtual-key code); it is grabbed on every key code the current layout
// gives it on, and grabbed again when the layout changes.

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

    // False when the key cannot be had: no key on the keyboard for it, the
    // id in use on this window, or another client (or another of our
    // windows) holding the key.
    bool Register(std::uintptr_t window, int id, int keyCode, int modifiers);
    void Unregister(std::uintptr_t window, int id);
    void UnregisterAll(std::uintptr_t window);
    // Sorted by id.
    std::vector<HotkeyRegistration> Registrations(std::uintptr_t window) const;

    // After the keyboard mapping or the layout changed: each hotkey lets go
    // of its old key codes and takes those that give its key now. A key that
    // cannot be had any more stays registered and waits for another change.
    void Remap();

    struct Hit {
        std::uintptr_t window;
        int id;
    };
    // The hotkey a key press on the root window stands for; the lock
    // modifiers (CapsLock, NumLock, ScrollLock) do not matter.
    std::optional<Hit> Match(std::uint8_t keycode, std::uint16_t state) const;

private:
    struct Grab {
        std::uintptr_t window;
        HotkeyRegistration registration;
        std::vector<xcb_keycode_t> keycodes;
        std::uint16_t modifiers;
    };

    std::vector<xcb_keycode_t> KeycodesFor(int keyCode);
    // Grabs every key code or none: false (nothing grabbed) when one is held.
    bool GrabAll(const std::vector<xcb_keycode_t>& keycodes, std::uint16_t modifiers);
    void UngrabAll(const Grab& grab);
    bool HeldByUs(xcb_keycode_t keycode, std::uint16_t modifiers) const;

    X11Display* display_;
    std::uint16_t locks_ = 0;
    bool locksRead_ = false;
    std::vector<Grab> grabs_;
};

}  // namespace zindle
