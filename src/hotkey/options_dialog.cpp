#include "hotkey/options_dialog.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "hotkey/hotkey_service.h"
#include "platform/platform.h"
#include "profile/program_settings.h"

namespace zindle {

namespace {

// Releasing one of these alone never sets a key.
bool IsModifierKey(int keyCode) { return keyCode == 16 || keyCode == 17 || keyCode == 18; }

// The client area holds the controls with the right margin the line rules
// span and a margin below the Done button.
constexpr int kDialogWidth = 4440;
constexpr int kDialogHeight = 4455;

// The font the controls were sized for, a Windows dialog's own; a label
// would otherwise take the larger font labels start with.
const FontSpec kDialogFont{"MS Sans Serif", 8};

void Place(Control& control, int left, int top, int width, int height) {
    control.SetLeft(left);
    control.SetTop(top);
    control.SetWidth(width);
    control.SetHeight(height);
}

// The names of indexed controls: "chkCustom(3)".
std::string Indexed(const char* name, int index) {
    return std::string(name) + "(" + std::to_string(index) + ")";
}

std::int16_t ToStored(int value) {
    using Limits = std::numeric_limits<std::int16_t>;
    return static_cast<std::int16_t>(std::clamp(value, int{Limits::min()}, int{Limits::max()}));
}

}  // namespace

std::string FormatHotkey(int keyCode, int mask) {
    std::string text = std::to_string(keyCode) + ",";
    if (mask & kShiftMask) text += "S";
    if (mask & kCtrlMask) text += "C";
    if (mask & kAltMask) text += "A";
    return text;
}

frmOptions::frmOptions(Platform& platform, ProgramSettings& settings, HotkeyService& hotkeys)
    : platform_(platform),
      settings_(settings),
      hotkeys_(hotkeys),
      window_(platform.windows.CreateWindow("frmOptions", "%%options", WindowKind::Dialog)) {
    Window& w = *window_;
    w.SetClientSize(kDialogWidth, kDialogHeight);

    label2_ = w.CreateLabel("Label2");
    label2_->SetFont(kDialogFont);
    label2_->SetText("Note: Zindle cannot use F12 on its own as a hotkey in Win NT4, Win2000 or WinXP.");
    Place(*label2_, 120, 0, 4155, 465);
    line1_ = w.CreateLine("Line1");
    Place(*line1_, 0, 480, 4440, 0);

    chkEnable1_ = w.CreateCheckBox("chkEnable1");
    chkEnable1_->SetCaption("Use The Main Hotkey?");
    Place(*chkEnable1_, 120, 600, 2085, 360);
    chkCaseSens_ = w.CreateCheckBox("chkCaseSens");
    chkCaseSens_->SetCaption("Auto-Complete should be CaSE sEnSiTiVE");
    Place(*chkCaseSens_, 2760, 720, 1455, 615);

    label1_[0] = w.CreateLabel(Indexed("Label1", 0));
    label1_[0]->SetFont(kDialogFont);
    label1_[0]->SetText("Click here, then hit your Main Hotkey");
    Place(*label1_[0], 120, 960, 1365, 495);
    txtKey1_ = w.CreateTextBox("txtKey1");
    Place(*txtKey1_, 1560, 960, 840, 285);
    TextBox::Events keyEvents;
    keyEvents.keyUp = [this](int keyCode, int shift) { TxtKey1KeyUp(keyCode, shift); };
    txtKey1_->SetEvents(std::move(keyEvents));
    line2_ = w.CreateLine("Line2");
    Place(*line2_, 0, 1560, 4440, 0);

    // Three rows of two: odd numbers on the left, even ones on the right.
    for (int n = 1; n <= 6; ++n) {
        const int left = n % 2 == 1 ? 240 : 2400;
        const int top = 1680 + (n - 1) / 2 * 720;
        const auto i = static_cast<std::size_t>(n);
        chkCustom_[i] = w.CreateCheckBox(Indexed("chkCustom", n));
        chkCustom_[i]->SetCaption("Use Custom Hotkey " + std::to_string(n));
        Place(*chkCustom_[i], left, top, 1905, 210);
        label1_[i] = w.CreateLabel(Indexed("Label1", n));
        label1_[i]->SetFont(kDialogFont);
        label1_[i]->SetText("Click to set...");
        Place(*label1_[i], left, top + 240, 1005, 255);
        txtCustom_[i] = w.CreateTextBox(Indexed("txtCustom", n));
        Place(*txtCustom_[i], left + 1080, top + 240, 840, 285);
        TextBox::Events events;
        events.keyUp = [this, n](int keyCode, int shift) { TxtCustomKeyUp(n, keyCode, shift); };
        txtCustom_[i]->SetEvents(std::move(events));
    }

    line3_ = w.CreateLine("Line3");
    Place(*line3_, 0, 3840, 4440, 0);
    btnDone_ = w.CreateButton("btnDone");
    btnDone_->SetCaption("Done");
    Place(*btnDone_, 1800, 3960, 1140, 375);
    btnDone_->SetClickHandler([this] { BtnDoneClick(); });

    Window::Events windowEvents;
    windowEvents.queryUnload = [this](bool& cancel, CloseReason reason) { Form_QueryUnload(cancel, reason); };
    w.SetEvents(std::move(windowEvents));
}

void frmOptions::Form_Load() {
    hotkeys_.UnregisterHotkeys();
    working_[0] = {settings_.gMainKey, settings_.gMainShift};
    txtKey1_->SetText(FormatHotkey(settings_.gMainKey, settings_.gMainShift));
    for (int n = 1; n <= 6; ++n) {
        const auto i = static_cast<std::size_t>(n);
        const CustomHotkey& hotkey = settings_.gCustomHotkeys[i - 1];
        working_[i] = {hotkey.key, hotkey.shift};
        txtCustom_[i]->SetText(FormatHotkey(hotkey.key, hotkey.shift));
        if (hotkey.enabled) chkCustom_[i]->SetChecked(true);
    }
    if (settings_.gUseMainHotkey) chkEnable1_->SetChecked(true);
    if (settings_.gCaseSensitive) chkCaseSens_->SetChecked(true);
}

void frmOptions::TxtKey1KeyUp(int keyCode, int shift) {
    if (IsModifierKey(keyCode)) return;
    // Only the three modifier bits mean anything in a stored mask.
    const int mask = shift & (kShiftMask | kCtrlMask | kAltMask);
    txtKey1_->SetText(FormatHotkey(keyCode, mask));
    working_[0] = {ToStored(keyCode), ToStored(mask)};
}

void frmOptions::TxtCustomKeyUp(int n, int keyCode, int shift) {
    if (n < 1 || n > 6) return;
    if (IsModifierKey(keyCode)) return;
    const auto i = static_cast<std::size_t>(n);
    const int mask = shift & (kShiftMask | kCtrlMask | kAltMask);
    txtCustom_[i]->SetText(FormatHotkey(keyCode, mask));
    working_[i] = {ToStored(keyCode), ToStored(mask)};
}

void frmOptions::BtnDoneClick() {
    if (closed_) return;
    settings_.gCaseSensitive = chkCaseSens_->Checked();
    settings_.gUseMainHotkey = chkEnable1_->Checked();
    for (std::size_t i = 1; i <= 6; ++i) settings_.gCustomHotkeys[i - 1].enabled = chkCustom_[i]->Checked();
    settings_.gMainKey = working_[0].key;
    settings_.gMainShift = working_[0].shift;
    for (std::size_t i = 1; i <= 6; ++i) {
        settings_.gCustomHotkeys[i - 1].key = working_[i].key;
        settings_.gCustomHotkeys[i - 1].shift = working_[i].shift;
    }
    hotkeys_.RegisterHotkeys();
    Close();
}

void frmOptions::Form_QueryUnload(bool& cancel, CloseReason reason) {
    if (closed_) return;
    if (reason == CloseReason::User) {
        const MessageAnswer answer = platform_.dialogs.MessageBox(
            "This will undo any changes to these options - OK to close window and cancel?",
            "OK to cancel any option changes?", MessageIcon::Question, MessageButtons::YesNo);
        if (answer != MessageAnswer::Yes) {
            cancel = true;
            return;
        }
        // The settings were never touched: dropping the working copy is all
        // the undoing there is.
        hotkeys_.RegisterHotkeys();
    }
    if (!cancel) closed_ = true;
}

void frmOptions::Unload(CloseReason reason) {
    if (closed_) return;
    bool cancel = false;
    Form_QueryUnload(cancel, reason);
    if (!cancel) window_->Close();
}

void frmOptions::Close() {
    closed_ = true;
    window_->Close();
}

HotkeyOptions::HotkeyOptions(Platform& platform, ProgramSettings& settings, HotkeyService& hotkeys,
                             Window& bar)
    : platform_(platform), settings_(settings), hotkeys_(hotkeys), bar_(bar) {}

void HotkeyOptions::ShowHotkeyOptions() {
    if (dialog_) return;
    dialog_ = std::make_unique<frmOptions>(platform_, settings_, hotkeys_);
    dialog_->Form_Load();
    platform_.windows.RunModal(dialog_->window(), bar_);
    CloseForUnload();
    dialog_.reset();
}

void HotkeyOptions::CloseForUnload() {
    if (dialog_) dialog_->Unload(CloseReason::Program);
}

}  // namespace zindle
