#pragma once
// TAppBar makes an ordinary top-level window an appbar of the shell: it
// registers the window, reserves a strip along a screen edge and docks the
// window into it, or lets it float as a normal window. It slides the window
// into place, can auto-hide a docked bar, follows the user moving and sizing
// the window through a procedure it installs in the window's chain, and
// keeps its state block in the registry. Coordinates and sizes are screen
// pixels.

#include <cstdint>
#include <memory>
#include <string>

#include "appbar/appbar.h"
#include "appbar/state_block.h"
#include "platform/platform.h"

namespace zindle {

// The message the shell sends the host window its notifications with.
inline constexpr unsigned kAppBarCallbackMessage = kWmUser + 100;
// The auto-hide timer's identifier on the host window.
inline constexpr unsigned kAutoHideTimerId = 100;
inline constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;

// AllowFlags bits.
inline constexpr int kAllowLeft = 1;
inline constexpr int kAllowRight = 2;
inline constexpr int kAllowTop = 4;
inline constexpr int kAllowBottom = 8;
inline constexpr int kAllowFloat = 16;

// A slide never takes longer than this, whatever SlideTime says: the slide
// blocks the bar, and a damaged registry block could ask for weeks. Slow
// settings up to this still work as set.
inline constexpr int kMaxSlideMilliseconds = 5000;
// The auto-hide timer never fires more often than this.
inline constexpr int kMinAutoHidePeriod = 10;

class TAppBar final : public AppBar {
public:
    // Takes the screen size from the platform now: the maximum sizes start
    // from it. The platform's objects must outlive this one.
    explicit TAppBar(const Platform& platform);
    // Leaves the window alone (it may already be gone); a procedure still
    // installed passes every message on from then on.
    ~TAppBar() override;
    TAppBar(const TAppBar&) = delete;
    TAppBar& operator=(const TAppBar&) = delete;

    // Attaches to the window (detaching from a previous one first), installs
    // the appbar procedure, starts the auto-hide timer, takes the float
    // rectangle from the window, registers with the shell, docks (floating
    // when the state is none) and removes Restore, Minimize and Maximize
    // from the system menu.
    void Extends(Window& window) override;
    // Stops the timer, unregisters (Edge 4) and puts back the procedure the
    // appbar procedure replaced. Nothing happens when not attached.
    void Detach() override;
    void UpdateBar() override;
    // The registry value must be exactly 90 bytes; otherwise, or when it
    // cannot be read, false and nothing changes. A loaded state outside 0 to
    // 5 is taken as floating (5).
    bool LoadSettings() override;
    bool SaveSettings() override;

    // The proposed state while the user moves the window, else the committed one.
    int Edge() const override;
    // The docking procedure. A value outside 0 to 5 docks as floating (5).
    // Before Extends only the state is kept.
    void SetEdge(int edge) override;

    int AllowFlags() const { return block_.allowFlags; }
    void SetAllowFlags(int flags) override { block_.allowFlags = flags; }
    bool AutoHide() const { return block_.autoHide; }
    void SetAutoHide(bool autoHide) override;
    void SetChangeHandler(std::function<void()> handler) override { changed_ = std::move(handler); }
    bool AlwaysOnTop() const { return block_.alwaysOnTop; }
    void SetAlwaysOnTop(bool onTop) override { block_.alwaysOnTop = onTop; }
    bool SlideEffect() const { return block_.slideEffect; }
    void SetSlideEffect(bool slide) { block_.slideEffect = slide; }
    // Also the auto-hide timer's period; once attached, writing it restarts
    // the timer with the new period.
    int SlideTime() const { return block_.slideTime; }
    void SetSlideTime(int milliseconds);
    int WidthStep() const { return block_.widthStep; }
    void SetWidthStep(int step) { block_.widthStep = step; }
    int HeightStep() const { return block_.heightStep; }
    void SetHeightStep(int step) override { block_.heightStep = step; }
    int DockedWidth() const { return block_.dockedWidth; }
    void SetDockedWidth(int pixels) { block_.dockedWidth = pixels; }
    int DockedHeight() const override { return block_.dockedHeight; }
    void SetDockedHeight(int pixels) override { block_.dockedHeight = pixels; }
    int FloatLeft() const { return block_.floatLeft; }
    void SetFloatLeft(int pixels) { block_.floatLeft = pixels; }
    int FloatTop() const { return block_.floatTop; }
    void SetFloatTop(int pixels) { block_.floatTop = pixels; }
    int FloatRight() const { return block_.floatRight; }
    void SetFloatRight(int pixels) { block_.floatRight = pixels; }
    int FloatBottom() const { return block_.floatBottom; }
    void SetFloatBottom(int pixels) { block_.floatBottom = pixels; }
    int MinFloatWidth() const { return block_.minFloatWidth; }
    void SetMinFloatWidth(int width) { block_.minFloatWidth = width; }
    int MinFloatHeight() const { return block_.minFloatHeight; }
    void SetMinFloatHeight(int height) { block_.minFloatHeight = height; }
    int MaxFloatWidth() const { return block_.maxFloatWidth; }
    void SetMaxFloatWidth(int width) { block_.maxFloatWidth = width; }
    int MaxFloatHeight() const { return block_.maxFloatHeight; }
    void SetMaxFloatHeight(int height) { block_.maxFloatHeight = height; }
    int MinDockedWidth() const { return block_.minDockedWidth; }
    void SetMinDockedWidth(int width) override { block_.minDockedWidth = width; }
    int MinDockedHeight() const { return block_.minDockedHeight; }
    void SetMinDockedHeight(int height) { block_.minDockedHeight = height; }
    int MaxDockedWidth() const { return block_.maxDockedWidth; }
    void SetMaxDockedWidth(int width) override { block_.maxDockedWidth = width; }
    int MaxDockedHeight() const { return block_.maxDockedHeight; }
    void SetMaxDockedHeight(int height) { block_.maxDockedHeight = height; }
    // 0 always a taskbar button, 1 never, 2 only while floating.
    int TaskbarButton() const { return block_.taskbarButton; }
    void SetTaskbarButton(int mode) override { block_.taskbarButton = mode; }
    // The platform reaches HKEY_CURRENT_USER only; under any other root
    // LoadSettings and SaveSettings fail.
    std::uint32_t RegistryRoot() const { return registryRoot_; }
    void SetRegistryRoot(std::uint32_t root) { registryRoot_ = root; }
    const std::string& RegistryKey() const { return registryKey_; }
    void SetRegistryKey(const std::string& key) override { registryKey_ = key; }

private:
    // What the installed procedure holds on to. Once the object has let go
    // (unhooked, or destroyed), a copy of the procedure that is still called
    // passes every message straight to the procedure it replaced.
    struct HookLink {
        TAppBar* appBar = nullptr;
        WindowProc previous;
    };

    // tappbar.cpp: registration, docking, styles.
    std::intptr_t SendAppBarMessage(unsigned message, int edge, std::intptr_t lParam, RectPx* rect);
    RectPx QueryDockedRect(int edge);
    void DockOn(int edge);
    void UpdateTaskbarButton(int state);
    void ModifyStyle(int styleIndex, std::int32_t remove, std::int32_t add, unsigned extraFlags,
                     bool hideAndShow);
    void UpdateCaption(bool duringMove, int state);
    void MoveWindowTo(const RectPx& rect);
    // The auto-hide poll runs only while the bar hides itself.
    void UpdateAutoHideTimer();
    int ScreenWidth();
    int ScreenHeight();

    // appbar_slide.cpp: sliding and auto-hide.
    void SlideWindow(const RectPx& target);
    int GetAutoHideEdge();
    bool AutoHideRect(bool show, RectPx& rect);
    void ShowHiddenBar(bool show);

    // appbar_window_proc.cpp: the window procedure and its handlers.
    void HookAppBarWindow(NativeWindow& window);
    void UnhookAppBarWindow();
    std::intptr_t AppBarWindowProc(const WindowProc& previous, unsigned message, std::uintptr_t wParam,
                                   std::intptr_t lParam);
    void OnAppBarNotify(std::uintptr_t code, std::intptr_t lParam);
    void OnGetMinMaxInfo(MinMaxInfo& info);
    void OnSizing(std::uintptr_t side, RectPx& rect);
    void OnMoving(RectPx& rect);
    void OnExitSizeMove();
    void OnAutoHideTimer();
    std::intptr_t OnNcHitTest(std::intptr_t code, std::intptr_t lParam);
    int CalcProposedState(PointPx point);
    int GetEdgeFromPoint(int flags, PointPx point);

    Platform platform_;
    NativeWindow* host_ = nullptr;
    std::shared_ptr<HookLink> hook_;
    StateBlock block_;
    int proposedState_ = kEdgeNone;
    std::function<void()> changed_;
    bool fullScreen_ = false;
    bool autoHideShown_ = false;
    std::uint32_t registryRoot_ = kHkeyCurrentUser;
    std::string registryKey_ = "Software\\AppBar\\1.4\\VB";
};

}  // namespace zindle
