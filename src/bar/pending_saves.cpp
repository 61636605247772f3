#include "bar/pending_saves.h"

#include "appbar/appbar.h"
#include "bar/form1.h"
#include "interpreter/history.h"
#include "profile/history_file.h"
#include "profile/profile_store.h"
#include "skinning/skin_record.h"

namespace zindle {

namespace {

// Long enough to gather a burst of changes (a macro's several "%%setvar"s, a
// skin that docks the bar again) into one write, short enough that a kill
// right after a command finds it saved.
constexpr int kSaveDelayMilliseconds = 50;

}  // namespace

std::string EdgeIniValue(int edge) { return edge == kEdgeTop ? "t" : "b"; }

PendingSaves::PendingSaves(const BarContext& context, Window& window)
    : context_(context), timer_(window.CreateTimer("tmrSave")) {
    timer_->SetInterval(kSaveDelayMilliseconds);
    timer_->SetHandler([this] { Flush(); });
}

PendingSaves::~PendingSaves() = default;

void PendingSaves::Track() {
    tracking_ = true;
    dockingChanged_ = false;
    savedHistory_ = context_.history.gHistory;
    savedValues_ = CurrentValues();
}

void PendingSaves::Schedule() {
    if (tracking_ && !timer_->Enabled()) timer_->SetEnabled(true);
}

void PendingSaves::DockingChanged() {
    if (!tracking_) return;
    dockingChanged_ = true;
    Schedule();
}

SettingValues PendingSaves::CurrentValues() const {
    SettingValues values = CurrentSettingValues(context_.settings, context_.skin.gSkinName);
    values.emplace_back("edge", EdgeIniValue(context_.appBar.Edge()));
    return values;
}

// A write that fails leaves the saved copy as it was, so the next change
// tries again, and the unload writes everything anyway.
void PendingSaves::Flush() {
    timer_->SetEnabled(false);
    if (!tracking_) return;
    const ProgramSettings& settings = context_.settings;
    const std::vector<std::string>& history = context_.history.gHistory;
    if (history != savedHistory_ && SaveHistoryFile(context_.store, settings.gHistoryPath, history)) {
        savedHistory_ = history;
    }
    // All of them, as the unload writes them, so that the file takes the
    // same shape whichever write comes first.
    SettingValues values = CurrentValues();
    if (values != savedValues_ && context_.store.WriteIniValues("cfg", values, settings.gIniPath)) {
        savedValues_ = std::move(values);
    }
    if (dockingChanged_ && context_.appBar.SaveSettings()) dockingChanged_ = false;
}

void PendingSaves::Stop() {
    tracking_ = false;
    timer_->SetEnabled(false);
}

}  // namespace zindle
