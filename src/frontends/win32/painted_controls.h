#pragma once
// The controls the window paints itself, like a form's graphical controls:
// labels drawn transparently over the background, lines, and pictures that
// take the mouse. Painting them in the window's one double-buffered pass
// lets a label lie over a picture without flicker.

#include <string>

#include "frontends/win32/control_base.h"

namespace zindle {

class Win32Label : public ControlBase<Label>, public PaintedControl {
public:
    explicit Win32Label(std::shared_ptr<WindowState> window);
    ~Win32Label() override;

    void SetText(const std::string& text) override;
    std::string Text() const override { return text_; }
    void SetForeColor(Colour colour) override;
    Colour ForeColor() const override { return foreColour_; }
    void SetBackColor(Colour colour) override;
    Colour BackColor() const override { return backColour_; }
    void SetTransparent(bool transparent) override;
    void SetAlignment(Alignment alignment) override;
    Alignment GetAlignment() const override { return alignment_; }
    void SetFont(const FontSpec& font) override;
    FontSpec Font() const override { return font_; }
    void SetAutoSize(bool autoSize) override;

    int Layer() const override { return 2; }
    void Paint(HDC dc) const override;
    // After a DPI change.
    void Relayout();

private:
    void FrameChanged(const RECT& before) override;
    void FitToText();
    void Repaint() const;

    std::string text_;
    std::wstring wideText_;
    Colour foreColour_ = 0;
    Colour backColour_;
    bool transparent_ = false;
    Alignment alignment_ = Alignment::Left;
    FontSpec font_;
    FontHandle fontHandle_;
    bool autoSize_ = false;
};

class Win32Line : public ControlBase<Control>, public PaintedControl {
public:
    explicit Win32Line(std::shared_ptr<WindowState> window);
    ~Win32Line() override;
    int Layer() const override { return 1; }
    void Paint(HDC dc) const override;

private:
    void FrameChanged(const RECT& before) override;
};

class Win32PictureBox : public ControlBase<PictureBox>, public PaintedControl {
public:
    explicit Win32PictureBox(std::shared_ptr<WindowState> window);
    ~Win32PictureBox() override;

    void SetEvents(Events events) override { events_ = std::move(events); }
    void SetPicture(PicturePtr picture) override;
    PicturePtr GetPicture() const override { return picture_; }
    void SetCapture() override;
    bool HasCapture() const override;

    int Layer() const override { return 0; }
    void Paint(HDC dc) const override;
    bool Contains(POINT pixel) const;
    // Mouse messages of the window, in its client pixels. kind is the
    // event to raise.
    void Mouse(std::function<void(int, int, int, int)> Events::*kind, int button, int shift, POINT pixel);
    void Click();

private:
    void FrameChanged(const RECT& before) override;

    Events events_;
    PicturePtr picture_;
};

}  // namespace zindle
