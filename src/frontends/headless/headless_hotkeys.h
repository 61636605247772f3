#pragma once
// The desktop's table of system-wide hotkeys, as the headless windows see it:
// each registration belongs to a window, and a key combination can be held
// by one registration at a time, here or in another program.

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "frontends/common/event_lines.h"

namespace zindle {

class HeadlessHotkeyTable {
public:
    // Fails, as RegisterHotKey does, for a key code outside 1 to 254, for a
    // key combination taken by another program (Take) or already registered,
    // and for an id the window already uses.
    bool Register(std::uintptr_t window, int id, int keyCode, int modifiers);
    void Unregister(std::uintptr_t window, int id);
    // A window that is destroyed loses its hotkeys.
    void UnregisterAll(std::uintptr_t window);
    // Marks a key combination as held by another program.
    void Take(int keyCode, int modifiers);
    // The current registrations, sorted by id.
    std::vector<HotkeyRegistration> Registrations() const;

private:
    struct Entry {
        std::uintptr_t window;
        HotkeyRegistration hotkey;
    };
    std::vector<Entry> entries_;
    std::set<std::pair<int, int>> taken_;
};

}  // namespace zindle
