#include "frontends/qt/x11_hotkeys.h"

#include <algorithm>

#include "frontends/qt/virtual_keys.h"

namespace zindle {

bool X11Hotkeys::Register(std::uintptr_t window, int id, int keyCode, int modifiers) {
    if (!display_ || keyCode < 1 || keyCode > 254) return false;
    for (const Grab& grab : grabs_) {
        if (grab.window == window && grab.registration.id == id) return false;
    }
    if (!locksRead_) {
        locks_ = display_->LockModifiers();
        locksRead_ = true;
    }
    const std::vector<xcb_keycode_t> keycodes = KeycodesFor(keyCode);
    const std::uint16_t x11Modifiers = X11ModifiersFromHotkeyModifiers(modifiers);
    if (keycodes.empty() || !GrabAll(keycodes, x11Modifiers)) return false;
    grabs_.push_back({window, {id, keyCode, modifiers}, keycodes, x11Modifiers});
    return true;
}

void X11Hotkeys::Unregister(std::uintptr_t window, int id) {
    std::erase_if(grabs_, [&](const Grab& grab) {
        if (grab.window != window || grab.registration.id != id) return false;
        UngrabAll(grab);
        return true;
    });
}

void X11Hotkeys::UnregisterAll(std::uintptr_t window) {
    std::erase_if(grabs_, [&](const Grab& grab) {
        if (grab.window != window) return false;
        UngrabAll(grab);
        return true;
    });
}

std::vector<HotkeyRegistration> X11Hotkeys::Registrations(std::uintptr_t window) const {
    std::vector<HotkeyRegistration> result;
    for (const Grab& grab : grabs_) {
        if (grab.window == window) result.push_back(grab.registration);
    }
    std::sort(result.begin(), result.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
    return result;
}

void X11Hotkeys::Remap() {
    if (!display_ || grabs_.empty()) {
        locksRead_ = false;
        return;
    }
    for (Grab& grab : grabs_) {
        UngrabAll(grab);
        grab.keycodes.clear();
    }
    locks_ = display_->LockModifiers();
    locksRead_ = true;
    for (Grab& grab : grabs_) {
        std::vector<xcb_keycode_t> keycodes = KeycodesFor(grab.registration.keyCode);
        if (!keycodes.empty() && GrabAll(keycodes, grab.modifiers)) grab.keycodes = std::move(keycodes);
    }
}

std::optional<X11Hotkeys::Hit> X11Hotkeys::Match(std::uint8_t keycode, std::uint16_t state) const {
    // The eight core modifiers without the locks; the XKB group bits above them never count.
    const std::uint16_t relevant = 0xff & static_cast<std::uint16_t>(~locks_);
    for (const Grab& grab : grabs_) {
        if (grab.modifiers == (state & relevant) &&
            std::find(grab.keycodes.begin(), grab.keycodes.end(), keycode) != grab.keycodes.end()) {
            return Hit{grab.window, grab.registration.id};
        }
    }
    return std::nullopt;
}

// Every key that gives the key's keysym on any group and level: on a French
// keyboard '1' is the shifted '&' key, and with "ru,us" the letters are in
// the second group. A letter or a digit no key gives is on its US place.
std::vector<xcb_keycode_t> X11Hotkeys::KeycodesFor(int keyCode) {
    const std::uint32_t keysym = KeysymFromVirtualKey(keyCode);
    std::vector<xcb_keycode_t> keycodes = keysym ? display_->KeycodesOf(keysym) : std::vector<xcb_keycode_t>{};
    if (keycodes.empty()) {
        if (const std::uint8_t usPlace = UsLayoutKeycode(keyCode)) keycodes.push_back(usPlace);
    }
    return keycodes;
}

bool X11Hotkeys::GrabAll(const std::vector<xcb_keycode_t>& keycodes, std::uint16_t modifiers) {
    for (std::size_t i = 0; i < keycodes.size(); ++i) {
        if (HeldByUs(keycodes[i], modifiers) || !display_->GrabKey(keycodes[i], modifiers, locks_)) {
            for (std::size_t j = 0; j < i; ++j) display_->UngrabKey(keycodes[j], modifiers, locks_);
            return false;
        }
    }
    return true;
}

void X11Hotkeys::UngrabAll(const Grab& grab) {
    for (const xcb_keycode_t keycode : grab.keycodes) display_->UngrabKey(keycode, grab.modifiers, locks_);
}

bool X11Hotkeys::HeldByUs(xcb_keycode_t keycode, std::uint16_t modifiers) const {
    return std::any_of(grabs_.begin(), grabs_.end(), [&](const Grab& grab) {
        return grab.modifiers == modifiers &&
               std::find(grab.keycodes.begin(), grab.keycodes.end(), keycode) != grab.keycodes.end();
    });
}

}  // namespace zindle
