#pragma once
// What the bar and start-up ask of the hotkey subsystem.

namespace zindle {

class HotkeyService {
public:
    virtual ~HotkeyService() = default;
    // Registers every enabled hotkey on the bar window, installing the hook first.
    virtual void RegisterHotkeys() = 0;
    // Unregisters them and removes the hook.
    virtual void UnregisterHotkeys() = 0;
};

}  // namespace zindle
