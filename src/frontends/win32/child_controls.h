#pragma once
// Controls with a window of their own: the command box (an EDIT control,
// subclassed for its key events), check boxes and push buttons.

#include <string>

#include "frontends/win32/control_base.h"
#include "platform/held_input.h"

namespace zindle {

// Creates the child window and keeps the frame, visibility and font on it.
template <typename Interface>
class ChildControlBase : public ControlBase<Interface>, public ChildControl {
public:
    ChildControlBase(std::shared_ptr<WindowState> window, const wchar_t* className, DWORD style);
    ~ChildControlBase() override;
    HWND ChildWindow() const override { return hwnd_; }
    void Relayout() override;

protected:
    void FrameChanged(const RECT& before) override;
    void ApplyFont(const FontSpec& font);

    HWND hwnd_ = nullptr;
    FontSpec font_;
    FontHandle fontHandle_;
};

class Win32TextBox : public ChildControlBase<TextBox> {
public:
    Win32TextBox(std::shared_ptr<WindowState> window, std::string name);
    ~Win32TextBox() override;

    void SetEvents(Events events) override { events_ = std::move(events); }
    void SetText(const std::string& text) override;
    std::string Text() const override;
    void SetSelection(int start, int length) override;
    int SelectionStart() const override;
    int SelectionLength() const override;
    void SetReadOnly(bool readOnly) override;
    bool ReadOnly() const override { return readOnly_; }
    void SetAlignment(Alignment alignment) override;
    Alignment GetAlignment() const override { return alignment_; }
    void SetBorderStyle(int style) override;
    int BorderStyle() const override { return borderStyle_; }
    void SetForeColor(Colour colour) override;
    Colour ForeColor() const override { return foreColour_; }
    void SetBackColor(Colour colour) override;
    Colour BackColor() const override { return backColour_; }
    void SetFont(const FontSpec& font) override { ApplyFont(font); }
    FontSpec Font() const override { return font_; }
    void SetFocus() override;
    void SetInputHeld(bool held) override;

    void Command(int code) override;
    HBRUSH Colours(HDC dc) override;

private:
    static LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleKey(UINT message, WPARAM wParam, LPARAM lParam);
    std::wstring WideText() const;

    std::string name_;
    Events events_;
    WNDPROC editProc_ = nullptr;
    bool readOnly_ = false;
    Alignment alignment_ = Alignment::Left;
    int borderStyle_ = 1;
    Colour foreColour_;
    Colour backColour_;
    HBRUSH brush_ = nullptr;
    wchar_t pendingHighSurrogate_ = 0;
    struct KeyMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    HeldInput<KeyMessage> heldKeys_;
};

class Win32CheckBox : public ChildControlBase<CheckBox> {
public:
    explicit Win32CheckBox(std::shared_ptr<WindowState> window);
    ~Win32CheckBox() override;
    void SetCaption(const std::string& caption) override;
    std::string Caption() const override;
    void SetChecked(bool checked) override;
    bool Checked() const override;
    HBRUSH Colours(HDC dc) override;

private:
    HBRUSH brush_ = nullptr;
};

class Win32Button : public ChildControlBase<CommandButton> {
public:
    explicit Win32Button(std::shared_ptr<WindowState> window);
    void SetCaption(const std::string& caption) override;
    std::string Caption() const override;
    void SetClickHandler(std::function<void()> onClick) override { onClick_ = std::move(onClick); }
    void Command(int code) override;

private:
    std::function<void()> onClick_;
};

}  // namespace zindle
