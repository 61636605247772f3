#pragma once
// What the headless windows and controls share behind their interfaces.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "frontends/headless/headless_controls.h"

namespace zindle {

// What a control needs of its window, kept apart so a control may outlive it.
struct HeadlessWindowState {
    std::string name;
    std::string caption;
    WindowKind kind = WindowKind::Bar;
    Colour backColour = MakeColour(240, 240, 240);
    bool visible = false;
    bool closed = false;
    const HeadlessControl* focus = nullptr;
};

// The live windows and controls in creation order; each removes itself when
// it is destroyed, so the registry never holds a dangling pointer.
struct HeadlessWindowRegistry {
    std::vector<HeadlessWindow*> windows;
    std::vector<HeadlessControl*> controls;
    HeadlessPictureBox* capture = nullptr;
    std::uintptr_t nextHandle = 0x1000;
    std::uintptr_t activeWindow = 0;
    // Runs a modal dialog's message loop until the dialog closes; set by the
    // front end that reads the events.
    std::function<void(HeadlessWindow& dialog)> modalLoop;
    FlashHandler onFlash;
    LabelChangeHandler onLabelChange;
    HeadlessHotkeyTable hotkeys;

    template <class Kind>
    Kind* FindNewest(std::string_view windowName, std::string_view controlName) const {
        for (auto control = controls.rbegin(); control != controls.rend(); ++control) {
            if ((*control)->WindowName() == windowName && (*control)->Name() == controlName) {
                if (auto* found = dynamic_cast<Kind*>(*control)) {
                    return found;
                }
            }
        }
        return nullptr;
    }
};

}  // namespace zindle
