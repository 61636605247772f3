#pragma once
// The bar window: the command box, the three picture buttons, the status
// line, the clock label and the five clock timers, and what the bar does
// with them.

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "clock/clocks.h"
#include "hotkey/hotkeys.h"
#include "hotkey/options_dialog.h"
#include "interpreter/hosts.h"
#include "platform/controls.h"
#include "skinning/skinning.h"

namespace zindle {

struct Platform;
class ProfileStore;
struct ProgramSettings;
struct History;
struct SkinRecord;
class Interpreter;
class AppBar;
class PendingSaves;

// The program state the bar works on; owned by the program.
struct BarContext {
    Platform& platform;
    ProfileStore& store;
    ProgramSettings& settings;
    History& history;
    SkinRecord& skin;
    Interpreter& interpreter;
    AppBar& appBar;
};

enum class BarButton { Swap, Run, Exit };

class Form1 final : public BarHost, public DockHost {
public:
    explicit Form1(const BarContext& context);
    ~Form1() override;

    // Docks the bar, lays it out and shows it.
    void Form_Load();
    // The layout rule, on load and on every resize.
    void Form_Resize();
    void AppBarInit();
    // Start-up is done: from now on what the program changes is saved soon
    // after the change.
    void TrackChanges();

    // BarHost
    Label& StatusLine() override { return *lblMsg_; }
    void BlinkBar() override;
    // Saves the history and every setting, gives the strip back and closes
    // the window. Runs once.
    void Unload() override;
    // DockHost: "%%up" and "%%down".
    void DockAtEdge(int edge) override;

    // The buttons' click actions.
    void Run();
    void Swap();
    void Exit();

    // The command box.
    void TxtCmdKeyDown(int& keyCode, int shift);
    void TxtCmdKeyPress(int& charCode);
    void TxtCmdChange();
    void AutoComp();

    bool Unloaded() const { return unloaded_; }
    // Writes the changes not saved yet at once (the session is ending).
    void SaveChanges();
    Window& window() { return *window_; }
    TextBox& txtCmd() { return *txtCmd_; }
    Label& lblTimer() { return *lblTimer_; }
    PictureBox& Button(BarButton button);
    Skinning& skinning() { return *skinning_; }
    Clocks& clocks() { return *clocks_; }
    Hotkeys& hotkeys() { return *hotkeys_; }
    HotkeyOptions& options() { return *options_; }

    // Called whenever a button is given a face (face 1..4, state 1..3).
    void SetFaceObserver(std::function<void(BarButton, int face, int state)> observer) {
        faceObserver_ = std::move(observer);
    }
    // Called when the Run action has finished with a line (not when it ended
    // the program).
    void SetRunObserver(std::function<void()> observer) { runObserver_ = std::move(observer); }

private:
    void ShowFace(BarButton button, int face, int state);
    int ButtonId(BarButton button) const;
    int CurrentEdge() const;
    void SetSwapFace(int face);
    void HistoryStep(bool up);
    void PicMouseDown(BarButton button, int mouseButton);
    void PicMouseUp(BarButton button, int mouseButton);
    void pic_mousemove(BarButton button, int x, int y);
    void ConnectEvents();

    BarContext context_;
    std::unique_ptr<Window> window_;
    std::array<std::unique_ptr<Timer>, 5> tmrClock_;
    std::unique_ptr<PictureBox> picClose_;
    std::unique_ptr<PictureBox> picRunCmd_;
    std::unique_ptr<PictureBox> picSwapPos_;
    std::unique_ptr<TextBox> txtCmd_;
    std::unique_ptr<Label> lblMsg_;
    std::unique_ptr<Label> lblTimer_;
    // The up/down button's tag: the face it shows, "1" up or "2" down.
    std::string swapTag_ = "1";
    bool suppressAutoComplete_ = false;
    bool unloaded_ = false;
    // A Run is in progress: a second Enter or click waits for it.
    bool running_ = false;
    std::unique_ptr<Skinning> skinning_;
    std::unique_ptr<Clocks> clocks_;
    std::unique_ptr<Hotkeys> hotkeys_;
    std::unique_ptr<HotkeyOptions> options_;
    std::unique_ptr<PendingSaves> pendingSaves_;
    std::function<void(BarButton, int, int)> faceObserver_;
    std::function<void()> runObserver_;
};

}  // namespace zindle
