#pragma once
// Windows and controls of the headless platform: plain records of what the
// program set, found again by name, with timers running on virtual time, and
// methods that stand in for the user (typing, keys, the mouse). The headless
// screen has 15 twips to the pixel.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontends/headless/headless_hotkeys.h"
#include "frontends/headless/headless_storage.h"
#include "frontends/headless/virtual_time.h"
#include "platform/controls.h"
#include "platform/held_input.h"

namespace zindle {

struct HeadlessWindowRegistry;
struct HeadlessWindowState;
class HeadlessLabel;
class HeadlessWindow;

inline constexpr int kHeadlessTwipsPerPixel = 15;

// Called when a label's fore colour is set to its window's back colour while
// it was different before: the text vanishes, as when the status line flashes.
using FlashHandler = std::function<void(const HeadlessLabel& label)>;
// Called after a label's text or visibility changed.
using LabelChangeHandler = std::function<void(const HeadlessLabel& label)>;

// What every headless control has, whatever its kind. A control registers
// itself while it exists and may outlive its window.
class HeadlessControl {
public:
    virtual ~HeadlessControl();
    HeadlessControl(const HeadlessControl&) = delete;
    HeadlessControl& operator=(const HeadlessControl&) = delete;

    const std::string& Name() const;
    const std::string& WindowName() const;
    // The control as the core sees it: geometry and visibility.
    virtual const Control& AsControl() const = 0;
    // One line: the name, then the properties as "key=value" (geometry in
    // pixels, colours as RRGGBB).
    virtual std::string Describe() const = 0;

protected:
    HeadlessControl(std::shared_ptr<HeadlessWindowRegistry> registry,
                    std::shared_ptr<HeadlessWindowState> window, std::string name);

    // "left=.. top=.. width=.. height=.. visible=yes|no".
    std::string DescribeFrame() const;

    struct Frame {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        bool visible = true;
    };

    std::shared_ptr<HeadlessWindowRegistry> registry_;
    std::shared_ptr<HeadlessWindowState> window_;
    Frame frame_;
    // False once the control is destroyed. Code that raises an event keeps a
    // copy and checks it afterwards, because a handler may destroy the control.
    std::shared_ptr<bool> alive_;

private:
    friend class HeadlessWindow;
    std::string name_;
};

// The geometry and visibility every kind shares. Widths and heights below 0
// are kept at 0.
template <class Interface>
class HeadlessControlOf : public Interface, public HeadlessControl {
public:
    void SetLeft(int twips) override { frame_.left = twips; }
    void SetTop(int twips) override { frame_.top = twips; }
    void SetWidth(int twips) override { frame_.width = twips < 0 ? 0 : twips; }
    void SetHeight(int twips) override { frame_.height = twips < 0 ? 0 : twips; }
    int Left() const override { return frame_.left; }
    int Top() const override { return frame_.top; }
    int Width() const override { return frame_.width; }
    int Height() const override { return frame_.height; }
    void SetVisible(bool visible) override { frame_.visible = visible; }
    bool Visible() const override { return frame_.visible; }
    const Control& AsControl() const override { return *this; }

protected:
    using HeadlessControl::HeadlessControl;
};

// An auto-sizing label fits its size to its text when auto-size is switched
// on and whenever the text or the font changes; setting the same again
// changes nothing, so a size set in between holds. Fixed metrics: each
// character round(size × 0.6 × 96/72) pixels wide (at least 1), each line
// round(size × 1.25 × 96/72) pixels high (at least 1), the width that of the
// longest line. Lines are split at CR LF, CR and LF.
class HeadlessLabel final : public HeadlessControlOf<Label> {
public:
    HeadlessLabel(std::shared_ptr<HeadlessWindowRegistry> registry,
                  std::shared_ptr<HeadlessWindowState> window, std::string name);

    void SetVisible(bool visible) override;
    void SetText(const std::string& text) override;
    std::string Text() const override;
    bool ShowsText(std::string_view text) const override { return text_ == text; }
    void SetForeColor(Colour colour) override;
    Colour ForeColor() const override;
    void SetBackColor(Colour colour) override;
    Colour BackColor() const override;
    void SetTransparent(bool transparent) override;
    void SetAlignment(Alignment alignment) override;
    Alignment GetAlignment() const override;
    void SetFont(const FontSpec& font) override;
    FontSpec Font() const override;
    void SetAutoSize(bool autoSize) override;

    // "NAME left=.. top=.. width=.. height=.. visible=.. align=.. fore=..
    // back=RRGGBB|transparent font=NAME,SIZE[,bold][,italic][,strike][,underline] text=.."
    std::string Describe() const override;

private:
    void FitToText();
    void ReportChange();

    std::string text_;
    Colour foreColour_;
    Colour backColour_;
    bool transparent_ = false;
    Alignment alignment_ = Alignment::Left;
    FontSpec font_;
    bool autoSize_ = false;
};

// Keys the headless front end can press in a text box besides typing characters.
enum class KeyName { Enter, Escape, Backspace, Delete, Up, Down, Left, Right, Home, End };

// "Enter", "Escape", "Backspace", "Delete", "Up", "Down", "Left", "Right",
// "Home" or "End", in any case; nullopt for anything else.
std::optional<KeyName> ParseKeyName(std::string_view text);

// A one-line edit box. Positions count code points. As a Windows edit box
// does, setting the text puts the caret at 0 with nothing selected.
class HeadlessTextBox final : public HeadlessControlOf<TextBox> {
public:
    HeadlessTextBox(std::shared_ptr<HeadlessWindowRegistry> registry,
                    std::shared_ptr<HeadlessWindowState> window, std::string name);

    void SetEvents(Events events) override;
    void SetText(const std::string& text) override;
    std::string Text() const override;
    // Clamped to the text; a negative length selects nothing.
    void SetSelection(int start, int length) override;
    int SelectionStart() const override;
    int SelectionLength() const override;
    void SetReadOnly(bool readOnly) override;
    bool ReadOnly() const override;
    void SetAlignment(Alignment alignment) override;
    Alignment GetAlignment() const override;
    void SetBorderStyle(int style) override;
    int BorderStyle() const override;
    void SetForeColor(Colour colour) override;
    Colour ForeColor() const override;
    void SetBackColor(Colour colour) override;
    Colour BackColor() const override;
    void SetFont(const FontSpec& font) override;
    FontSpec Font() const override;
    // Makes this the focused control of its window.
    void SetFocus() override;
    bool HasFocus() const;
    // Typing, key presses and releases wait while input is held.
    void SetInputHeld(bool held) override;
    bool InputHeld() const { return heldInput_.Held(); }

    // A character typed on a US keyboard: keyDown with its virtual-key code
    // and shift state (letters, digits, space and US punctuation; other
    // characters have no keyDown), then keyPress, even when keyDown consumed
    // the key. Unless keyPress consumed it, the character it leaves (8
    // deletes backwards; other control characters and invalid code points do
    // nothing) replaces the selection in an editable box, the caret goes
    // after it, and change is raised when the text changed.
    void TypeCharacter(char32_t c);
    // keyDown with the key's virtual-key code; for Enter, Escape and
    // Backspace also keyPress with 13, 27 and 8. Unless consumed: Backspace
    // and Delete delete the selection, or the character before or after the
    // caret (editable boxes only); Left and Up move the caret one back, Right
    // and Down one on, Home and End to either end, leaving nothing selected.
    // Enter and Escape do nothing by themselves.
    void PressKey(KeyName key);
    // The user releasing a key: raises keyUp with the Windows key code and
    // the shift mask held at that moment.
    void ReleaseKey(int keyCode, int shift);

    // "NAME left=.. top=.. width=.. height=.. visible=.. align=.. border=0|1
    // fore=.. back=.. font=.. readonly=yes|no text=.. selection=START+LENGTH"
    std::string Describe() const override;

private:
    // Raises keyDown; returns the key code it leaves, or nullopt when the box
    // was destroyed meanwhile.
    std::optional<int> RaiseKeyDown(int keyCode, int shift);
    std::optional<int> RaiseKeyPress(int charCode);
    void ApplyCharacter(int charCode);
    // Replaces code points [start, start + length) with text, puts the caret
    // at caret, and raises change when the text changed.
    void Edit(int start, int length, const std::string& text, int caret);
    void MoveCaret(int position);
    int TextLength() const;

    Events events_;
    std::string text_;
    int selectionStart_ = 0;
    int selectionLength_ = 0;
    bool readOnly_ = false;
    Alignment alignment_ = Alignment::Left;
    int borderStyle_ = 1;
    Colour foreColour_;
    Colour backColour_;
    FontSpec font_;
    HeldInput<std::function<void()>> heldInput_;
};

class HeadlessPictureBox final : public HeadlessControlOf<PictureBox> {
public:
    HeadlessPictureBox(std::shared_ptr<HeadlessWindowRegistry> registry,
                       std::shared_ptr<HeadlessWindowState> window, std::string name);
    // Gives up the capture.
    ~HeadlessPictureBox() override;

    void SetEvents(Events events) override;
    void SetPicture(PicturePtr picture) override;
    PicturePtr GetPicture() const override;
    // Takes the capture from whichever control held it; ignored once the
    // window is closed.
    void SetCapture() override;
    bool HasCapture() const override;

    // The user pressing or releasing a mouse button at (x, y) twips in the
    // control's coordinates, and clicking it. Moves go through the window
    // (HeadlessWindow::MouseMoveOver), which knows about the capture.
    void MouseDown(int button, int x, int y);
    void MouseUp(int button, int x, int y);
    void Click();

    // "NAME left=.. top=.. width=.. height=.. visible=.. picture=SOURCE|none"
    std::string Describe() const override;

private:
    friend class HeadlessWindow;
    void RaiseMouse(std::function<void(int, int, int, int)> Events::*event, int button, int x, int y);

    Events events_;
    PicturePtr picture_;
};

// A picture drawn on a window's background, in twips.
struct BackgroundPicture {
    std::string source;
    int left = 0;
    int top = 0;
    bool operator==(const BackgroundPicture&) const = default;
};

// A window is its own NativeWindow: the procedure chain, the rectangle in
// screen pixels, the styles and the window timers all live here.
class HeadlessWindow final : public Window, public NativeWindow {
public:
    // time must outlive the window. A bar starts 1024 × 21 pixels, other
    // kinds empty until SetClientSize.
    HeadlessWindow(std::shared_ptr<HeadlessWindowRegistry> registry, VirtualTime& time, std::string name,
                   std::string caption, WindowKind kind);
    // Destroying the window closes it: its timers stop and its controls lose the capture.
    ~HeadlessWindow() override;
    HeadlessWindow(const HeadlessWindow&) = delete;
    HeadlessWindow& operator=(const HeadlessWindow&) = delete;

    void SetEvents(Events events) override;
    std::unique_ptr<Label> CreateLabel(const std::string& name) override;
    std::unique_ptr<TextBox> CreateTextBox(const std::string& name) override;
    std::unique_ptr<PictureBox> CreatePictureBox(const std::string& name) override;
    // The window's timers stop for good when it is closed.
    std::unique_ptr<Timer> CreateTimer(const std::string& name) override;
    std::unique_ptr<CheckBox> CreateCheckBox(const std::string& name) override;
    std::unique_ptr<CommandButton> CreateButton(const std::string& name) override;
    std::unique_ptr<Control> CreateLine(const std::string& name) override;
    void SetBackColor(Colour colour) override;
    Colour BackColor() const override;
    // A null picture draws nothing.
    void DrawPicture(const PicturePtr& picture, int leftTwips, int topTwips) override;
    void ClearBackgroundPictures() override;
    int Width() const override;
    int Height() const override;
    // Raises resize when the size changed; sizes below 0 are kept at 0.
    void SetClientSize(int widthTwips, int heightTwips) override;
    void SetVisible(bool visible) override;
    bool Visible() const override;
    // Marks the window closed and hides it; a capture held by one of its
    // controls is released and its hotkeys are unregistered.
    void Close() override;
    NativeWindow& Native() override { return *this; }

    // NativeWindow. The default procedure answers WM_NCHITTEST with HTCLIENT
    // and every other message with 0.
    std::uintptr_t Handle() const override;
    WindowProc SetWindowProc(WindowProc procedure) override;
    std::intptr_t SendMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    std::string GetWindowText() const override;
    RectPx GetWindowRect() const override;
    RectPx GetClientRect() const override;
    PointPx ClientToScreen(PointPx point) const override;
    // Moves and sizes the window (sizes below 0 are kept at 0), records the
    // z-order, sends WM_WINDOWPOSCHANGED and raises resize when the size changed.
    bool SetWindowPos(std::uintptr_t insertAfter, int x, int y, int width, int height,
                      unsigned flags) override;
    void ShowWindow(int command) override;
    // Stands for one repainted frame: virtual time moves on 16 ms, and as
    // in Sleep no timer runs.
    void UpdateWindow() override;
    std::int32_t GetWindowLong(int index) const override;
    std::int32_t SetWindowLong(int index, std::int32_t value) override;
    void DeleteSystemMenuItem(unsigned command) override;
    void SetTimer(unsigned id, unsigned milliseconds) override;
    void KillTimer(unsigned id) override;
    bool HasTimer(unsigned id) const;
    // Makes this the active window (sending WM_ACTIVATE to it, and with
    // wParam 0 to the window that was active).
    void Activate() override;
    // Registrations go into the desktop's table (HeadlessWindowFactory::Hotkeys).
    bool RegisterHotkey(int id, int keyCode, int modifiers) override;
    void UnregisterHotkey(int id) override;

    static std::intptr_t DefaultWindowProc(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
    // The last insert-after handle SetWindowPos was given.
    std::uintptr_t ZOrder() const;
    bool SystemMenuHas(unsigned command) const;

    const std::string& Name() const;
    const std::string& Caption() const;
    WindowKind Kind() const;
    bool Closed() const;
    // In drawing order.
    const std::vector<BackgroundPicture>& BackgroundPictures() const;
    // The control that last took the focus, or null.
    const HeadlessControl* FocusedControl() const;

    // The user dragging the window's edge: sets the client width (at least 0)
    // and raises resize.
    void Resize(int widthTwips);
    // The user closing the window: raises queryUnload and closes the window
    // unless the handler cancelled. True when the window is closed afterwards.
    bool RequestClose();
    // The pointer moves to (x, y) twips in the coordinates of the named
    // control of this window. A picture box of this window that holds the
    // capture receives the move, translated into its own coordinates;
    // otherwise the named control does, when it is a picture box. False when
    // the window has no control of that name.
    bool MouseMoveOver(std::string_view controlName, int x, int y);

    // "NAME width=.. height=.. visible=.. back=RRGGBB background=SOURCE@X,Y;...|none"
    std::string Describe() const;

private:
    std::shared_ptr<HeadlessWindowRegistry> registry_;
    std::shared_ptr<HeadlessWindowState> state_;
    VirtualTime& time_;
    Events events_;
    int width_ = 0;
    int height_ = 0;
    std::vector<BackgroundPicture> background_;
    std::uintptr_t handle_;
    int left_ = 0;  // pixels
    int top_ = 0;
    std::int32_t style_ = 0;
    std::int32_t exStyle_ = 0;
    std::uintptr_t zOrder_ = kHwndTop;
    std::vector<unsigned> removedMenuItems_;
    WindowProc procedure_;
    std::vector<std::pair<unsigned, std::unique_ptr<Timer>>> timers_;
};

class HeadlessWindowFactory final : public WindowFactory {
public:
    // time must outlive the factory and every window it makes; storage
    // must outlive the factory.
    HeadlessWindowFactory(VirtualTime& time, HeadlessStorage& storage);

    std::unique_ptr<Window> CreateWindow(const std::string& name, const std::string& caption,
                                         WindowKind kind) override;
    // The size comes from the file's header, read through the storage.
    PicturePtr LoadPictureFile(const std::string& path) override;
    // The program's embedded pictures, by resource name.
    PicturePtr LoadPictureResource(const std::string& name) override;
    void ReleaseCapture() override;
    // Runs the modal loop the front end set (SetModalLoop) until the dialog
    // is closed; without one the dialog simply stays open and RunModal returns.
    void RunModal(Window& dialog, Window& owner) override;
    void SetModalLoop(std::function<void(HeadlessWindow& dialog)> loop);
    HeadlessWindow* FindWindowByHandle(std::uintptr_t handle) const;
    // The active window's handle (0 when none).
    std::uintptr_t ActiveWindow() const;
    // The picture box holding the capture, or null.
    HeadlessPictureBox* CaptureHolder() const;

    // The newest window of that name still in existence (closed or not), or null.
    HeadlessWindow* FindWindow(std::string_view name) const;
    // The newest control of that name on a window of that name, or null. A
    // control is found as long as it exists, even after its window is gone.
    HeadlessControl* FindControl(std::string_view windowName, std::string_view controlName) const;
    // The same, restricted to one kind.
    HeadlessLabel* FindLabel(std::string_view windowName, std::string_view labelName) const;
    HeadlessTextBox* FindTextBox(std::string_view windowName, std::string_view textBoxName) const;
    HeadlessPictureBox* FindPictureBox(std::string_view windowName, std::string_view pictureBoxName) const;

    void SetFlashHandler(FlashHandler onFlash);
    void SetLabelChangeHandler(LabelChangeHandler onChange);
    // The system-wide hotkeys every window registers in.
    HeadlessHotkeyTable& Hotkeys();

private:
    std::shared_ptr<HeadlessWindowRegistry> registry_;
    VirtualTime& time_;
    HeadlessStorage& storage_;
};

}  // namespace zindle
