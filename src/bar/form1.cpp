#include "bar/form1.h"

#include "appbar/appbar.h"
#include "bar/pending_saves.h"
#include "interpreter/history.h"
#include "interpreter/interpreter.h"
#include "platform/platform.h"
#include "profile/conversions.h"
#include "profile/history_file.h"
#include "profile/profile_store.h"
#include "profile/program_settings.h"
#include "skinning/skin_record.h"
#include "textfx/textfx.h"

namespace zindle {

Form1::Form1(const BarContext& context)
    : context_(context),
      window_(context.platform.windows.CreateWindow("Form1", "Zindle", WindowKind::Bar)) {
    for (std::size_t i = 0; i < tmrClock_.size(); ++i) {
        tmrClock_[i] = window_->CreateTimer("tmrClock" + std::to_string(i));
        tmrClock_[i]->SetInterval(1000);
    }
    picClose_ = window_->CreatePictureBox("picClose");
    picRunCmd_ = window_->CreatePictureBox("picRunCmd");
    picSwapPos_ = window_->CreatePictureBox("picSwapPos");
    txtCmd_ = window_->CreateTextBox("txtCmd");
    lblMsg_ = window_->CreateLabel("lblMsg");
    lblMsg_->SetText(".");
    lblMsg_->SetTransparent(true);
    lblTimer_ = window_->CreateLabel("lblTimer");
    lblTimer_->SetText("H:M:S");
    lblTimer_->SetVisible(false);
    lblTimer_->SetTransparent(true);
    lblTimer_->SetAutoSize(true);

    Platform& platform = context.platform;
    skinning_ = std::make_unique<Skinning>(
        platform.windows, platform.dialogs, context.store, context.settings, context.skin,
        BarControls{*window_, *picSwapPos_, *txtCmd_, *picRunCmd_, *picClose_, *lblMsg_, *lblTimer_,
                    swapTag_},
        &context.appBar, [this] { Unload(); });
    std::array<Timer*, 5> timers{};
    for (std::size_t i = 0; i < timers.size(); ++i) timers[i] = tmrClock_[i].get();
    clocks_ = std::make_unique<Clocks>(platform.system, platform.dialogs, context.store,
                                       context.settings, context.interpreter, *lblMsg_, *lblTimer_,
                                       timers);
    hotkeys_ = std::make_unique<Hotkeys>(platform, context.settings, context.interpreter, context.skin,
                                         *window_, *txtCmd_, *lblMsg_);
    options_ = std::make_unique<HotkeyOptions>(platform, context.settings, *hotkeys_, *window_);
    pendingSaves_ = std::make_unique<PendingSaves>(context_, *window_);
    ConnectEvents();
}

// The interpreter and the docking object outlive the bar.
Form1::~Form1() {
    context_.interpreter.SetLineFinishedHandler({});
    context_.appBar.SetChangeHandler({});
}

void Form1::ConnectEvents() {
    txtCmd_->SetEvents({
        [this](int& keyCode, int shift) { TxtCmdKeyDown(keyCode, shift); },
        [this](int& charCode) { TxtCmdKeyPress(charCode); },
        [this] { TxtCmdChange(); },
        {},
    });
    const auto connect = [this](BarButton button, void (Form1::*click)()) {
        Button(button).SetEvents({
            [this, button](int mouseButton, int, int, int) { PicMouseDown(button, mouseButton); },
            [this, button](int, int, int x, int y) { pic_mousemove(button, x, y); },
            [this, button](int mouseButton, int, int, int) { PicMouseUp(button, mouseButton); },
            [this, click] { (this->*click)(); },
        });
    };
    connect(BarButton::Swap, &Form1::Swap);
    connect(BarButton::Run, &Form1::Run);
    connect(BarButton::Exit, &Form1::Exit);
    context_.interpreter.SetLineFinishedHandler([this] { pendingSaves_->Schedule(); });
    context_.appBar.SetChangeHandler([this] { pendingSaves_->DockingChanged(); });
    window_->SetEvents({
        [this] { Form_Resize(); },
        // Closing the bar from outside (the window manager) unloads it like
        // the exit button.
        [this](bool&, CloseReason) { Unload(); },
    });
}

PictureBox& Form1::Button(BarButton button) {
    switch (button) {
        case BarButton::Swap: return *picSwapPos_;
        case BarButton::Run: return *picRunCmd_;
        case BarButton::Exit: break;
    }
    return *picClose_;
}

void Form1::Form_Load() {
    AppBarInit();
    Form_Resize();
    window_->SetVisible(true);
}

void Form1::Form_Resize() {
    const int width = window_->Width();
    const int runRight = picRunCmd_->Left() + picRunCmd_->Width();
    lblMsg_->SetLeft(runRight);
    lblMsg_->SetWidth(width - runRight);
    picClose_->SetLeft(width - picClose_->Width());
    lblTimer_->SetLeft(width - (picClose_->Width() + lblTimer_->Width()));
}

void Form1::AppBarInit() {
    AppBar& appBar = context_.appBar;
    appBar.Extends(*window_);
    appBar.SetRegistryKey("Software\\Orvane\\Zindle");
    appBar.LoadSettings();
    appBar.SetAlwaysOnTop(false);
    appBar.SetAllowFlags(12);
    const std::string edge =
        LowerAscii(context_.store.ReadIniValue("cfg", "edge", "b", context_.settings.gIniPath));
    if (edge == "t" || edge == "b") {
        const bool top = edge == "t";
        appBar.SetEdge(top ? kEdgeTop : kEdgeBottom);
        SetSwapFace(top ? kFaceDown : kFaceUp);
    }
    appBar.SetHeightStep(1);
    appBar.SetDockedHeight(context_.skin.gBarHeight);
    appBar.SetMinDockedWidth(1);
    appBar.SetMaxDockedWidth(50);
    appBar.SetAutoHide(false);
    appBar.SetTaskbarButton(1);
    appBar.SaveSettings();
    appBar.UpdateBar();
}

void Form1::TrackChanges() { pendingSaves_->Track(); }

void Form1::SaveChanges() { pendingSaves_->Flush(); }

void Form1::BlinkBar() {
    System& system = context_.platform.system;
    for (int flash = 0; flash < 3; ++flash) {
        lblMsg_->SetForeColor(window_->BackColor());
        system.DoEvents();
        system.Sleep(150);
        lblMsg_->SetForeColor(GetSkinColor(context_.skin, 4));
        system.DoEvents();
        system.Sleep(150);
    }
}

void Form1::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    pendingSaves_->Stop();
    context_.interpreter.StopForUnload();
    options_->CloseForUnload();
    lblMsg_->SetText("-- Quitting, saving History --");
    clocks_->StopAll();
    SaveHistoryFile(context_.store, context_.settings.gHistoryPath, context_.history.gHistory);
    System& system = context_.platform.system;
    WindowFactory& windows = context_.platform.windows;
    system.DoEvents();
    for (int i = 0; i < 3; ++i) windows.ReleaseCapture();
    system.DoEvents();
    windows.ReleaseCapture();
    hotkeys_->UnregisterHotkeys();
    WriteSettings(context_.store, context_.settings, context_.skin.gSkinName);
    context_.store.WriteIniValue("cfg", "edge", context_.settings.gIniPath,
                                 EdgeIniValue(context_.appBar.Edge()));
    context_.appBar.Detach();
    window_->Close();
}

}  // namespace zindle
