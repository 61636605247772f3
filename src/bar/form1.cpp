#include "bar/form1.h"

#include "interpreter/history.h"
#include "platform/platform.h"
#include "profile/history_file.h"
#include "profile/profile_store.h"
#include "profile/program_settings.h"
#include "skinning/skin_record.h"

namespace zindle {

Form1::Form1(Platform& platform, ProfileStore& store, ProgramSettings& settings,
             History& history, SkinRecord& skin)
    : platform_(platform),
      store_(store),
      settings_(settings),
      history_(history),
      skin_(skin),
      window_(platform.windows.CreateWindow("Form1", "Zindle")),
      lblMsg_(window_->CreateLabel("lblMsg")) {
    lblMsg_->SetText(".");
    window_->SetBackColor(GetSkinColor(skin_, 1));
    lblMsg_->SetForeColor(GetSkinColor(skin_, 4));
}

void Form1::BlinkBar() {
    System& system = platform_.system;
    for (int flash = 0; flash < 3; ++flash) {
        lblMsg_->SetForeColor(window_->BackColor());
        system.DoEvents();
        system.Sleep(150);
        lblMsg_->SetForeColor(GetSkinColor(skin_, 4));
        system.DoEvents();
        system.Sleep(150);
    }
}

void Form1::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    lblMsg_->SetText("-- Quitting, saving History --");
    SaveHistoryFile(store_, settings_.gHistoryPath, history_.gHistory);
    platform_.system.DoEvents();
    WriteSettings(store_, settings_, skin_.gSkinName);
    window_->Close();
}

}  // namespace zindle
