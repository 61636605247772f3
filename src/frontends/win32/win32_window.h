#pragma once
// A top-level window of the program (the bar, the splash, the options
// dialog): its painted background and controls, and the window-management
// side the core drives, with the core's procedure chain in front of the
// window's own handling.

#include <vector>

#include "frontends/common/event_lines.h"
#include "frontends/win32/screen_scale.h"
#include "frontends/win32/window_state.h"

namespace zindle {

// The flags RegisterHotKey gets for the core's modifier mask.
UINT SystemHotkeyModifiers(int modifiers);

class Win32Window : public Window, public NativeWindow {
public:
    // onTaskbarCreated runs when Explorer announces that it (re)started.
    Win32Window(TraceFile& trace, ScreenScale& scale, const std::string& name, const std::string& caption,
                WindowKind kind, std::function<void()> onTaskbarCreated);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    // Window
    void SetEvents(Events events) override { events_ = std::move(events); }
    std::unique_ptr<Label> CreateLabel(const std::string& name) override;
    std::unique_ptr<TextBox> CreateTextBox(const std::string& name) override;
    std::unique_ptr<PictureBox> CreatePictureBox(const std::string& name) override;
    std::unique_ptr<Timer> CreateTimer(const std::string& name) override;
    std::unique_ptr<CheckBox> CreateCheckBox(const std::string& name) override;
    std::unique_ptr<CommandButton> CreateButton(const std::string& name) override;
    std::unique_ptr<Control> CreateLine(const std::string& name) override;
    void SetBackColor(Colour colour) override;
    Colour BackColor() const override { return state_->backColour; }
    void DrawPicture(const PicturePtr& picture, int leftTwips, int topTwips) override;
    void ClearBackgroundPictures() override;
    int Width() const override;
    int Height() const override;
    void SetClientSize(int widthTwips, int heightTwips) override;
    void SetVisible(bool visible) override;
    bool Visible() const override;
    void Close() override;
    NativeWindow& Native() override { return *this; }

    // NativeWindow
    std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(state_->hwnd); }
    WindowProc SetWindowProc(WindowProc procedure) override;
    std::intptr_t SendMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    std::string GetWindowText() const override;
    RectPx GetWindowRect() const override;
    RectPx GetClientRect() const override;
    PointPx ClientToScreen(PointPx point) const override;
    bool SetWindowPos(std::uintptr_t insertAfter, int x, int y, int width, int height, unsigned flags) override;
    void ShowWindow(int command) override;
    void UpdateWindow() override;
    std::int32_t GetWindowLong(int index) const override;
    std::int32_t SetWindowLong(int index, std::int32_t value) override;
    void DeleteSystemMenuItem(unsigned command) override;
    void SetTimer(unsigned id, unsigned milliseconds) override;
    void KillTimer(unsigned id) override;
    void Activate() override;
    bool RegisterHotkey(int id, int keyCode, int modifiers) override;
    void UnregisterHotkey(int id) override;

    // What is registered now, sorted by id.
    std::vector<HotkeyRegistration> Hotkeys() const;
    // Gives the window an owner (a modal dialog's).
    void SetOwner(HWND owner);

private:
    struct BackgroundPicture {
        PicturePtr picture;
        int left;
        int top;
    };

    static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    // The bottom of the chain: the window's own handling, then DefWindowProcW.
    std::intptr_t OwnHandling(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
    void Paint();
    void Mouse(UINT message, WPARAM wParam, LPARAM lParam);
    void ChangeDpi(int dpi, const RECT& suggested);
    void CentreOnScreen();

    std::shared_ptr<WindowState> state_;
    ScreenScale& scale_;
    Events events_;
    WindowProc procedure_;
    std::vector<BackgroundPicture> background_;
    std::vector<HotkeyRegistration> hotkeys_;
    std::function<void()> onTaskbarCreated_;
    UINT taskbarCreated_ = 0;
    UINT activate_ = 0;  // another copy, started with --activate, asks the bar forward
    bool placed_ = false;
};

}  // namespace zindle
