#include "hotkey/hotkeys.h"

#include <string>
#include <utility>

#include "interpreter/interpreter.h"
#include "platform/platform.h"
#include "profile/program_settings.h"
#include "skinning/skin_record.h"

namespace zindle {

namespace {

constexpr int kWorkingColour = 7;
constexpr int kStatusColour = 4;

}  // namespace

int HotkeyModifiers(int mask) {
    int modifiers = 0;
    if (mask & kShiftMask) modifiers |= kModShift;
    if (mask & kCtrlMask) modifiers |= kModControl;
    if (mask & kAltMask) modifiers |= kModAlt;
    return modifiers;
}

// One installation of the hook. The window's chain holds it through the
// procedure, so it outlives a removal that had to leave the procedure in
// place, and the destruction of its owner.
struct Hotkeys::HookLink {
    Hotkeys* owner = nullptr;
    // The procedure ours replaced; never changes once installed.
    WindowProc previous;
    // False: the link only passes messages on.
    bool active = false;
};

// HotkeyWindowProc: runs the hotkey's action, then always hands the message
// on unchanged and returns what the previous procedure returns.
struct Hotkeys::HookProcedure {
    std::shared_ptr<HookLink> link;

    std::intptr_t operator()(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) const {
        // Locals only from here on: the action may replace the window's
        // procedure, and with it this object.
        const std::shared_ptr<HookLink> hook = link;
        if (message == kWmHotkey && hook->active && hook->owner) {
            if (wParam == kMainHotkeyId) {
                hook->owner->OnMainHotkey();
            } else if (wParam <= kCustomHotkeyCount) {
                hook->owner->OnCustomHotkey(static_cast<int>(wParam));
            }
        }
        return hook->previous ? hook->previous(message, wParam, lParam) : 0;
    }
};

Hotkeys::Hotkeys(Platform& platform, ProgramSettings& settings, Interpreter& interpreter, SkinRecord& skin,
                 Window& bar, TextBox& txtCmd, Label& lblMsg)
    : platform_(platform),
      settings_(settings),
      interpreter_(interpreter),
      skin_(skin),
      bar_(bar),
      txtCmd_(txtCmd),
      lblMsg_(lblMsg) {}

Hotkeys::~Hotkeys() {
    // The window may be gone already, so it is not touched; a procedure of
    // ours still in its chain just passes messages on from now on.
    if (link_) {
        link_->active = false;
        link_->owner = nullptr;
    }
}

bool Hotkeys::HookInstalled() const { return link_ && link_->active; }

void Hotkeys::InstallHotkeyHook() {
    if (link_) {
        link_->active = true;
        return;
    }
    auto link = std::make_shared<HookLink>();
    link->owner = this;
    link->previous = bar_.Native().SetWindowProc(HookProcedure{link});
    link->active = true;
    link_ = std::move(link);
}

void Hotkeys::RemoveHotkeyHook() {
    if (!HookInstalled()) return;
    NativeWindow& native = bar_.Native();
    WindowProc front = native.SetWindowProc(link_->previous);
    const HookProcedure* ours = front.target<HookProcedure>();
    link_->active = false;
    if (ours && ours->link == link_) {
        link_.reset();
        return;
    }
    // A procedure installed after ours is in front: put it back, so the chain
    // stays whole, and leave ours in it passing messages on.
    native.SetWindowProc(std::move(front));
}

bool Hotkeys::RegisterOne(int id, int keyCode, int mask) {
    held_[static_cast<std::size_t>(id)] = bar_.Native().RegisterHotkey(id, keyCode, HotkeyModifiers(mask));
    return held_[static_cast<std::size_t>(id)];
}

void Hotkeys::ReleaseRegistrations() {
    for (int id = kMainHotkeyId; id <= kCustomHotkeyCount; ++id) {
        if (held_[static_cast<std::size_t>(id)]) bar_.Native().UnregisterHotkey(id);
        held_[static_cast<std::size_t>(id)] = false;
    }
}

void Hotkeys::RegisterHotkeys() {
    System& system = platform_.system;
    if (system.CommandLine() == "DEV") return;
    if (!anotherInstance_) anotherInstance_ = system.AnotherInstanceRunning();
    if (*anotherInstance_) return;
    // Registering twice in a row would find our own keys taken and disable
    // them; what we hold is given back first.
    ReleaseRegistrations();

    bool anyEnabled = settings_.gUseMainHotkey;
    for (const CustomHotkey& hotkey : settings_.gCustomHotkeys) anyEnabled = anyEnabled || hotkey.enabled;
    if (anyEnabled) InstallHotkeyHook();

    const bool mainRegistered =
        settings_.gUseMainHotkey && RegisterOne(kMainHotkeyId, settings_.gMainKey, settings_.gMainShift);
    std::array<bool, kCustomHotkeyCount> customRegistered{};
    for (int n = 1; n <= kCustomHotkeyCount; ++n) {
        const CustomHotkey& hotkey = settings_.gCustomHotkeys[static_cast<std::size_t>(n - 1)];
        customRegistered[static_cast<std::size_t>(n - 1)] =
            hotkey.enabled && RegisterOne(n, hotkey.key, hotkey.shift);
    }

    system.DoEvents();

    Dialogs& dialogs = platform_.dialogs;
    if (settings_.gUseMainHotkey && !mainRegistered) {
        dialogs.MessageBox("Main hotkey is either in use or can't be used", "Can't register main hotkey",
                           MessageIcon::None, MessageButtons::Ok);
        settings_.gUseMainHotkey = false;
    }
    bool anyRegistered = mainRegistered;
    for (int n = 1; n <= kCustomHotkeyCount; ++n) {
        CustomHotkey& hotkey = settings_.gCustomHotkeys[static_cast<std::size_t>(n - 1)];
        const bool registered = customRegistered[static_cast<std::size_t>(n - 1)];
        anyRegistered = anyRegistered || registered;
        if (hotkey.enabled && !registered) {
            dialogs.MessageBox("Custom Hotkey " + std::to_string(n) + " is either in use or can't be used",
                               "Can't register hotkey", MessageIcon::None, MessageButtons::Ok);
            hotkey.enabled = false;
        }
    }
    if (!anyRegistered) RemoveHotkeyHook();
}

void Hotkeys::UnregisterHotkeys() {
    ReleaseRegistrations();
    RemoveHotkeyHook();
}

void Hotkeys::OnMainHotkey() {
    platform_.system.DoEvents();
    bar_.Native().Activate();
    txtCmd_.SetFocus();
}

void Hotkeys::OnCustomHotkey(int n) {
    bar_.Native().Activate();
    txtCmd_.SetFocus();

    // A hotkey can arrive while another line is running (the bar's Run, or a
    // command of another hotkey that lets messages run); that line holds the
    // command box locked. It gets back its lock, its status colour and its
    // flags, so that its own outcome is reported when it ends.
    const bool nested = txtCmd_.ReadOnly();
    const Colour outerColour = lblMsg_.ForeColor();
    const bool outerMessageShown = interpreter_.gMessageShown;
    const bool outerCommandFailed = interpreter_.gCommandFailed;
    const bool outerFailureShown = interpreter_.gFailureShown;

    interpreter_.gMessageShown = false;
    interpreter_.gCommandFailed = false;
    interpreter_.gFailureShown = false;
    lblMsg_.SetForeColor(GetSkinColor(skin_, kWorkingColour));
    lblMsg_.SetText("Working...");
    platform_.system.DoEvents();
    txtCmd_.SetReadOnly(true);
    const std::string number = std::to_string(n);
    interpreter_.RunCommand("$hotkey" + number + " " + platform_.system.ClipboardText());
    // "%%quit" has unloaded the bar: nothing of it is touched again.
    if (interpreter_.QuitRequested()) return;

    // A failure however deep in the command is the hotkey's failure.
    const bool failed = interpreter_.gCommandFailed || interpreter_.gFailureShown;
    lblMsg_.SetText(failed ? "Error trying '$hotkey" + number + "'" : settings_.gOkText);
    if (nested) {
        lblMsg_.SetForeColor(outerColour);
        interpreter_.gMessageShown = outerMessageShown;
        interpreter_.gCommandFailed = outerCommandFailed;
        interpreter_.gFailureShown = outerFailureShown;
    } else {
        txtCmd_.SetReadOnly(false);
        lblMsg_.SetForeColor(GetSkinColor(skin_, kStatusColour));
    }
}

}  // namespace zindle
