#pragma once
// The bar window: its controls, the status-line flash and unloading.

#include <memory>

#include "interpreter/hosts.h"
#include "platform/controls.h"

namespace zindle {

struct Platform;
class ProfileStore;
struct ProgramSettings;
struct History;
struct SkinRecord;

class Form1 final : public BarHost {
public:
    Form1(Platform& platform, ProfileStore& store, ProgramSettings& settings, History& history,
          SkinRecord& skin);

    Label& StatusLine() override { return *lblMsg_; }
    // Three flashes of the status text, 150 ms hidden and 150 ms shown each.
    void BlinkBar() override;
    // Saves the history and every setting, then closes the window. Runs once.
    void Unload() override;

    Window& window() { return *window_; }
    bool Unloaded() const { return unloaded_; }

private:
    Platform& platform_;
    ProfileStore& store_;
    ProgramSettings& settings_;
    History& history_;
    SkinRecord& skin_;
    std::unique_ptr<Window> window_;
    std::unique_ptr<Label> lblMsg_;
    bool unloaded_ = false;
};

}  // namespace zindle
