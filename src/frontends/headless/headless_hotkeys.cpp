#include "frontends/headless/headless_hotkeys.h"

#include <algorithm>

namespace zindle {

namespace {

constexpr int kFirstKeyCode = 1;
constexpr int kLastKeyCode = 254;

}  // namespace

bool HeadlessHotkeyTable::Register(std::uintptr_t window, int id, int keyCode, int modifiers) {
    if (keyCode < kFirstKeyCode || keyCode > kLastKeyCode || taken_.contains({keyCode, modifiers})) {
        return false;
    }
    const bool clash = std::any_of(entries_.begin(), entries_.end(), [&](const Entry& entry) {
        return (entry.window == window && entry.hotkey.id == id) ||
               (entry.hotkey.keyCode == keyCode && entry.hotkey.modifiers == modifiers);
    });
    if (clash) return false;
    const auto position = std::find_if(entries_.begin(), entries_.end(),
                                       [id](const Entry& entry) { return entry.hotkey.id > id; });
    entries_.insert(position, Entry{window, HotkeyRegistration{id, keyCode, modifiers}});
    return true;
}

void HeadlessHotkeyTable::Unregister(std::uintptr_t window, int id) {
    std::erase_if(entries_, [&](const Entry& entry) { return entry.window == window && entry.hotkey.id == id; });
}

void HeadlessHotkeyTable::UnregisterAll(std::uintptr_t window) {
    std::erase_if(entries_, [&](const Entry& entry) { return entry.window == window; });
}

void HeadlessHotkeyTable::Take(int keyCode, int modifiers) { taken_.insert({keyCode, modifiers}); }

std::vector<HotkeyRegistration> HeadlessHotkeyTable::Registrations() const {
    std::vector<HotkeyRegistration> registrations;
    registrations.reserve(entries_.size());
    for (const Entry& entry : entries_) registrations.push_back(entry.hotkey);
    return registrations;
}

}  // namespace zindle
