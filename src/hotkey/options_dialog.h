#pragma once
// frmOptions: the modal dialog in which the user enables the hotkeys, sets
// each one by pressing it, and switches case-sensitive completion; and the
// options host through which "%%hotkeys" and "%%options" open it.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "interpreter/hosts.h"
#include "platform/controls.h"

namespace zindle {

struct Platform;
struct ProgramSettings;
class HotkeyService;

// "KEY," then "S", "C" and "A" for the Shift, Ctrl and Alt bits of mask, in
// that order: 122 alone is "122,", 65 with Ctrl and Alt "65,CA". For display only.
std::string FormatHotkey(int keyCode, int mask);

class frmOptions {
public:
    // Builds the window and its controls; nothing is shown or read yet.
    frmOptions(Platform& platform, ProgramSettings& settings, HotkeyService& hotkeys);
    frmOptions(const frmOptions&) = delete;
    frmOptions& operator=(const frmOptions&) = delete;

    // Unregisters the hotkeys and shows the settings; the key boxes' working
    // copy starts from them.
    void Form_Load();
    // A key released in txtKey1 or txtCustom(n) (n 1 to 6): anything but a
    // lone Shift, Ctrl or Alt becomes the working key with the modifiers held.
    void TxtKey1KeyUp(int keyCode, int shift);
    void TxtCustomKeyUp(int n, int keyCode, int shift);
    // Stores everything, registers the hotkeys and closes the dialog.
    void BtnDoneClick();
    // The user's close asks whether to drop the changes; Yes registers the
    // unchanged hotkeys again, No keeps the dialog open. Any other reason
    // asks nothing and registers nothing.
    void Form_QueryUnload(bool& cancel, CloseReason reason);
    // Closes the dialog for reason, through Form_QueryUnload.
    void Unload(CloseReason reason);

    bool Closed() const { return closed_; }
    Window& window() { return *window_; }

private:
    struct WorkingKey {
        std::int16_t key = 0;
        std::int16_t shift = 0;
    };

    void Close();

    Platform& platform_;
    ProgramSettings& settings_;
    HotkeyService& hotkeys_;
    std::unique_ptr<Window> window_;
    std::unique_ptr<Label> label2_;
    std::unique_ptr<Control> line1_;
    std::unique_ptr<CheckBox> chkEnable1_;
    std::unique_ptr<CheckBox> chkCaseSens_;
    // Label1(0) beside txtKey1, Label1(n) beside txtCustom(n).
    std::array<std::unique_ptr<Label>, 7> label1_;
    std::unique_ptr<TextBox> txtKey1_;
    std::unique_ptr<Control> line2_;
    // Index n for custom hotkey n; index 0 unused.
    std::array<std::unique_ptr<CheckBox>, 7> chkCustom_;
    std::array<std::unique_ptr<TextBox>, 7> txtCustom_;
    std::unique_ptr<Control> line3_;
    std::unique_ptr<CommandButton> btnDone_;
    // Index 0 the main hotkey, n custom hotkey n.
    std::array<WorkingKey, 7> working_{};
    bool closed_ = false;
};

// Opens a fresh frmOptions for each "%%hotkeys" or "%%options", modal over
// the bar window.
class HotkeyOptions final : public OptionsHost {
public:
    // Everything given must outlive this object.
    HotkeyOptions(Platform& platform, ProgramSettings& settings, HotkeyService& hotkeys, Window& bar);

    // Returns when the dialog is closed. A dialog the modal loop leaves open
    // (its input ended) is closed as the program's own unload closes it. While
    // one is open a second opening does nothing: closing the second would
    // register the hotkeys while the first still captures key combinations.
    void ShowHotkeyOptions() override;
    // Closes an open dialog as the program's own unload does: nothing is
    // asked and the hotkeys stay unregistered. For the bar's unload.
    void CloseForUnload();

private:
    Platform& platform_;
    ProgramSettings& settings_;
    HotkeyService& hotkeys_;
    Window& bar_;
    std::unique_ptr<frmOptions> dialog_;
};

}  // namespace zindle
