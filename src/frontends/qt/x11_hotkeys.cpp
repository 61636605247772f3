#include "frontends/qt/x11_hotkeys.h"

#include <algorithm>

#include "frontends/qt/virtual_keys.h"

namespace zindle {

bool X11Hotkeys::Register(std::uintptr_t window, int id, int keyCode, int modifiers) {
    if (!display_ || keyCode < 1 || keyCode > 254) return false;
    for (const Grab& grab : grabs_) {
        if (grab.window == window && grab.registration.id == id) return false;
    }
    const std::uint32_t keysym = KeysymFromVirtualKey(keyCode);
    const xcb_keycode_t keycode = keysym ? display_->KeycodeOf(keysym) : 0;
    if (keycode == 0) return false;
    const std::uint16_t x11Modifiers = X11ModifiersFromHotkeyModifiers(modifiers);
    for (const Grab& grab : grabs_) {
        if (grab.keycode == keycode && grab.modifiers == x11Modifiers) return false;
    }
    if (!display_->GrabKey(keycode, x11Modifiers)) return false;
    grabs_.push_back({window, {id, keyCode, modifiers}, keycode, x11Modifiers});
    return true;
}

void X11Hotkeys::Unregister(std::uintptr_t window, int id) {
    std::erase_if(grabs_, [&](const Grab& grab) {
        if (grab.window != window || grab.registration.id != id) return false;
        display_->UngrabKey(grab.keycode, grab.modifiers);
        return true;
    });
}

void X11Hotkeys::UnregisterAll(std::uintptr_t window) {
    std::erase_if(grabs_, [&](const Grab& grab) {
        if (grab.window != window) return false;
        display_->UngrabKey(grab.keycode, grab.modifiers);
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

std::optional<X11Hotkeys::Hit> X11Hotkeys::Match(std::uint8_t keycode, std::uint16_t state) const {
    constexpr std::uint16_t kRelevant = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;
    for (const Grab& grab : grabs_) {
        if (grab.keycode == keycode && grab.modifiers == (state & kRelevant)) {
            return Hit{grab.window, grab.registration.id};
        }
    }
    return std::nullopt;
}

}  // namespace zindle
