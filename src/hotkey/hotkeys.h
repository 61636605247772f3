#pragma once
// The main hotkey and the six custom hotkeys: their registration on the bar
// window, the window procedure that receives them and the two actions.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "hotkey/hotkey_service.h"

namespace zindle {

struct Platform;
struct ProgramSettings;
struct SkinRecord;
class Interpreter;
class Window;
class TextBox;
class Label;

// Hotkey identifiers on the bar window: 0 the main hotkey, n custom hotkey n.
constexpr int kMainHotkeyId = 0;
constexpr int kCustomHotkeyCount = 6;

// Modifier flags of the system's hotkey call.
constexpr int kModAlt = 1;
constexpr int kModControl = 2;
constexpr int kModShift = 4;

// A stored modifier mask (1 Shift, 2 Ctrl, 4 Alt) as the system's modifier
// flags. Other bits of the mask mean nothing and are dropped.
int HotkeyModifiers(int mask);

class Hotkeys final : public HotkeyService {
public:
    // Everything given must outlive this object's use. The destructor leaves
    // the bar window alone: a procedure of ours still in its chain only
    // passes messages on from then on.
    Hotkeys(Platform& platform, ProgramSettings& settings, Interpreter& interpreter, SkinRecord& skin,
            Window& bar, TextBox& txtCmd, Label& lblMsg);
    ~Hotkeys() override;
    Hotkeys(const Hotkeys&) = delete;
    Hotkeys& operator=(const Hotkeys&) = delete;

    // Nothing happens when the command line is exactly "DEV" or another
    // instance runs. A hotkey the system refuses is reported in a message box
    // and disabled in the settings.
    void RegisterHotkeys() override;
    // Gives back every hotkey this object holds and removes the hook.
    void UnregisterHotkeys() override;

    // Puts the hotkey procedure in front of the bar window's procedure, and
    // takes it out again. Both do nothing when already done. When another
    // procedure was installed in front of ours since, taking ours out would cut
    // that one off too: ours then stays in the chain, passing every message on
    // untouched, and a later install wakes it where it is.
    void InstallHotkeyHook();
    void RemoveHotkeyHook();
    bool HookInstalled() const;

    // The two actions, run from the hook on WM_HOTKEY.
    void OnMainHotkey();
    void OnCustomHotkey(int n);

private:
    struct HookLink;
    struct HookProcedure;

    bool RegisterOne(int id, int keyCode, int mask);
    void ReleaseRegistrations();

    Platform& platform_;
    ProgramSettings& settings_;
    Interpreter& interpreter_;
    SkinRecord& skin_;
    Window& bar_;
    TextBox& txtCmd_;
    Label& lblMsg_;

    // Null while no procedure of ours is in the bar window's chain.
    std::shared_ptr<HookLink> link_;
    // The identifiers the system has given us.
    std::array<bool, kCustomHotkeyCount + 1> held_{};
    // Whether another instance ran, asked once: the answer cannot change.
    std::optional<bool> anotherInstance_;
};

}  // namespace zindle
