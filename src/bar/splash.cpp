#include "bar/splash.h"

#include "platform/system.h"
#include "version.h"

namespace zindle {

frmSplash::frmSplash(WindowFactory& windows)
    : window_(windows.CreateWindow("frmSplash", "Zindle", WindowKind::Splash)),
      Timer1_(window_->CreateTimer("Timer1")),
      Label1_(window_->CreateLabel("Label1")),
      Image1_(window_->CreatePictureBox("Image1")) {
    window_->SetClientSize(5460, 1290);
    Timer1_->SetInterval(2000);
    Timer1_->SetHandler([this] { Unload(); });
    Image1_->SetLeft(0);
    Image1_->SetTop(0);
    Image1_->SetWidth(5460);
    Image1_->SetHeight(1290);
    Image1_->SetPicture(windows.LoadPictureResource("SPLASH"));
    Label1_->SetLeft(2160);
    Label1_->SetTop(1080);
    Label1_->SetWidth(1815);
    Label1_->SetHeight(255);
    Label1_->SetForeColor(MakeColour(255, 0, 0));
    Label1_->SetAlignment(Alignment::Center);
    Label1_->SetTransparent(true);
    Label1_->SetText(std::string("v") + kVersionText);
}

void frmSplash::Show(System& system, int milliseconds) {
    window_->SetVisible(true);
    system.DoEvents();
    Timer1_->SetInterval(milliseconds);
    Timer1_->SetEnabled(true);
}

void frmSplash::Unload() {
    Timer1_->SetEnabled(false);
    window_->Close();
    closed_ = true;
}

}  // namespace zindle
