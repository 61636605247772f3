#pragma once
// The windows and controls the core drives. Geometry is in twips (1/1440
// inch); front ends convert at the screen's twips per pixel. Events reach the
// core through the handlers it installs; a front end never decides what an
// event does.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/types.h"
#include "platform/window_manager.h"

namespace zindle {

struct FontSpec {
    std::string name = "Arial";
    double size = 10;  // points
    bool bold = false;
    bool italic = false;
    bool strikethrough = false;
    bool underline = false;
    bool operator==(const FontSpec&) const = default;
};

enum class Alignment { Left = 0, Right = 1, Center = 2 };

// Mouse buttons and shift states as Windows reports them to controls.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;
constexpr int kShiftMask = 1;
constexpr int kCtrlMask = 2;
constexpr int kAltMask = 4;

// A picture the platform loaded from a file or from the program's resources.
class Picture {
public:
    virtual ~Picture() = default;
    virtual int WidthPixels() const = 0;
    virtual int HeightPixels() const = 0;
    // Where it came from: a resource name or a file path.
    virtual const std::string& Source() const = 0;
};
using PicturePtr = std::shared_ptr<const Picture>;

class Control {
public:
    virtual ~Control() = default;
    virtual void SetLeft(int twips) = 0;
    virtual void SetTop(int twips) = 0;
    virtual void SetWidth(int twips) = 0;
    virtual void SetHeight(int twips) = 0;
    virtual int Left() const = 0;
    virtual int Top() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool Visible() const = 0;
};

class Label : public Control {
public:
    virtual void SetText(const std::string& text) = 0;
    virtual std::string Text() const = 0;
    // Whether the label shows exactly text; a label keeping its text as it
    // is set answers without copying it.
    virtual bool ShowsText(std::string_view text) const { return Text() == text; }
    virtual void SetForeColor(Colour colour) = 0;
    virtual Colour ForeColor() const = 0;
    // Only drawn when the label is not transparent.
    virtual void SetBackColor(Colour colour) = 0;
    virtual Colour BackColor() const = 0;
    virtual void SetTransparent(bool transparent) = 0;
    virtual void SetAlignment(Alignment alignment) = 0;
    virtual Alignment GetAlignment() const = 0;
    virtual void SetFont(const FontSpec& font) = 0;
    virtual FontSpec Font() const = 0;
    // An auto-sizing label fits its width and height to its text whenever the
    // text or the font changes. It keeps the edge its text is aligned to (the
    // centre when centred), so that a right-aligned clock stays where its
    // skin put its right edge.
    virtual void SetAutoSize(bool autoSize) = 0;
};

class TextBox : public Control {
public:
    struct Events {
        // keyCode is a Windows virtual-key code, shift the shift mask; setting
        // keyCode to 0 consumes the key.
        std::function<void(int& keyCode, int shift)> keyDown;
        // charCode is the character typed (a code point; 8 Backspace, 13
        // Enter, 27 Escape); setting it to 0 consumes it.
        std::function<void(int& charCode)> keyPress;
        // The text changed, by typing or by SetText.
        std::function<void()> change;
        // A key was released; keyCode and shift as for keyDown.
        std::function<void(int keyCode, int shift)> keyUp;
    };
    virtual void SetEvents(Events events) = 0;

    // Raises the change event when the text differs from what it was.
    virtual void SetText(const std::string& text) = 0;
    virtual std::string Text() const = 0;
    // Selection in characters (code points); the caret sits at its start.
    virtual void SetSelection(int start, int length) = 0;
    virtual int SelectionStart() const = 0;
    virtual int SelectionLength() const = 0;
    // A read-only box still raises its key events, but typing changes nothing.
    virtual void SetReadOnly(bool readOnly) = 0;
    virtual bool ReadOnly() const = 0;
    virtual void SetAlignment(Alignment alignment) = 0;
    virtual Alignment GetAlignment() const = 0;
    // 0 none, 1 a single line.
    virtual void SetBorderStyle(int style) = 0;
    virtual int BorderStyle() const = 0;
    virtual void SetForeColor(Colour colour) = 0;
    virtual Colour ForeColor() const = 0;
    virtual void SetBackColor(Colour colour) = 0;
    virtual Colour BackColor() const = 0;
    virtual void SetFont(const FontSpec& font) = 0;
    virtual FontSpec Font() const = 0;
    virtual void SetFocus() = 0;
    // While held, the keys the user types wait and reach the box, in order,
    // when the hold ends; the program holds input while it runs a line.
    virtual void SetInputHeld(bool held) = 0;
};

class PictureBox : public Control {
public:
    struct Events {
        // x and y are in twips, in the control's own coordinates.
        std::function<void(int button, int shift, int x, int y)> mouseDown;
        std::function<void(int button, int shift, int x, int y)> mouseMove;
        std::function<void(int button, int shift, int x, int y)> mouseUp;
        std::function<void()> click;
    };
    virtual void SetEvents(Events events) = 0;

    virtual void SetPicture(PicturePtr picture) = 0;
    virtual PicturePtr GetPicture() const = 0;
    // While a control holds the capture every mouse move reaches it, also
    // outside its area. At most one control holds it.
    virtual void SetCapture() = 0;
    virtual bool HasCapture() const = 0;
};

class CheckBox : public Control {
public:
    virtual void SetCaption(const std::string& caption) = 0;
    virtual std::string Caption() const = 0;
    virtual void SetChecked(bool checked) = 0;
    virtual bool Checked() const = 0;
};

class CommandButton : public Control {
public:
    virtual void SetCaption(const std::string& caption) = 0;
    virtual std::string Caption() const = 0;
    virtual void SetClickHandler(std::function<void()> onClick) = 0;
};

// A window timer: fires every Interval() milliseconds while enabled, on the
// UI thread, from the message loop (never while the thread sleeps).
class Timer {
public:
    virtual ~Timer() = default;
    virtual void SetInterval(int milliseconds) = 0;
    virtual int Interval() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetHandler(std::function<void()> onTick) = 0;
};

enum class WindowKind {
    Bar,     // a tool window without caption or sizing border
    Splash,  // no border, no title bar, centred on the screen
    Dialog,  // a fixed dialog frame with a caption
};

// Why a window is being closed.
enum class CloseReason {
    User,     // its close box or control menu, Alt+F4
    Program,  // the program unloads it
    System,   // the session ends
};

class Window {
public:
    struct Events {
        // The client area changed size.
        std::function<void()> resize;
        // The window is about to close; setting cancel keeps it open.
        std::function<void(bool& cancel, CloseReason reason)> queryUnload;
    };
    virtual ~Window() = default;
    virtual void SetEvents(Events events) = 0;

    virtual std::unique_ptr<Label> CreateLabel(const std::string& name) = 0;
    virtual std::unique_ptr<TextBox> CreateTextBox(const std::string& name) = 0;
    virtual std::unique_ptr<PictureBox> CreatePictureBox(const std::string& name) = 0;
    virtual std::unique_ptr<Timer> CreateTimer(const std::string& name) = 0;
    virtual std::unique_ptr<CheckBox> CreateCheckBox(const std::string& name) = 0;
    virtual std::unique_ptr<CommandButton> CreateButton(const std::string& name) = 0;
    // A line drawn from (left, top) to (left + width, top + height).
    virtual std::unique_ptr<Control> CreateLine(const std::string& name) = 0;

    // Setting the back colour also clears every picture drawn on the background.
    virtual void SetBackColor(Colour colour) = 0;
    virtual Colour BackColor() const = 0;
    // Draws onto the background at its natural size, under the controls.
    virtual void DrawPicture(const PicturePtr& picture, int leftTwips, int topTwips) = 0;
    virtual void ClearBackgroundPictures() = 0;

    // The client area's size.
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Sets the client size (the splash and dialogs; the bar is sized by docking).
    virtual void SetClientSize(int widthTwips, int heightTwips) = 0;

    virtual void SetVisible(bool visible) = 0;
    virtual bool Visible() const = 0;
    // Destroys the native window; the front end's message loop ends when the
    // main window is closed.
    virtual void Close() = 0;

    // The window-management side: its procedure chain, rectangle and styles.
    virtual NativeWindow& Native() = 0;
};

class WindowFactory {
public:
    virtual ~WindowFactory() = default;
    virtual std::unique_ptr<Window> CreateWindow(const std::string& name, const std::string& caption,
                                                 WindowKind kind) = 0;
    // Null when the file is missing or not a picture the platform can read.
    virtual PicturePtr LoadPictureFile(const std::string& path) = 0;
    // The program's own bitmaps, by resource name; null when missing.
    virtual PicturePtr LoadPictureResource(const std::string& name) = 0;
    // Releases the mouse capture, whoever holds it.
    virtual void ReleaseCapture() = 0;
    // Shows a dialog modally over owner and runs the message loop until the
    // dialog is closed.
    virtual void RunModal(Window& dialog, Window& owner) = 0;
};

}  // namespace zindle
