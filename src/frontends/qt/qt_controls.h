#pragma once
// The core's controls as Qt widgets. Each control object keeps what the core
// set (its frame in twips, colours, text...) and drives a widget that shows
// it; the widget reads back through a pointer the control clears when it
// goes, so a widget whose control was destroyed by its own event handler
// stays harmless until Qt deletes it.

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <memory>

#include "frontends/qt/qt_geometry.h"
#include "platform/controls.h"

namespace zindle {

class QtWindow;

// Geometry and visibility, kept in twips as the core set them.
template <class Interface>
class QtControlOf : public Interface {
public:
    ~QtControlOf() override {
        if (widget_) {
            widget_->hide();
            widget_->deleteLater();
        }
    }
    void SetLeft(int twips) override { frame_.left = twips; ApplyFrame(); }
    void SetTop(int twips) override { frame_.top = twips; ApplyFrame(); }
    void SetWidth(int twips) override { frame_.width = std::max(twips, 0); ApplyFrame(); }
    void SetHeight(int twips) override { frame_.height = std::max(twips, 0); ApplyFrame(); }
    int Left() const override { return frame_.left; }
    int Top() const override { return frame_.top; }
    int Width() const override { return frame_.width; }
    int Height() const override { return frame_.height; }
    void SetVisible(bool visible) override {
        frame_.visible = visible;
        if (widget_) widget_->setVisible(visible);
    }
    bool Visible() const override { return frame_.visible; }

protected:
    explicit QtControlOf(QWidget* widget) : widget_(widget) { ApplyFrame(); }
    virtual void ApplyFrame() {
        if (widget_) {
            widget_->setGeometry(PixelsFromTwips(frame_.left), PixelsFromTwips(frame_.top),
                                 PixelsFromTwips(frame_.width), PixelsFromTwips(frame_.height));
        }
    }
    struct Frame {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        bool visible = true;
    };
    Frame frame_;
    QPointer<QWidget> widget_;
};

// A label drawn by hand: transparent unless told otherwise, and transparent
// for the mouse, as a Windows label is (a press on it is a press on the window).
class QtLabel final : public QtControlOf<Label> {
public:
    QtLabel(QtWindow& window, QWidget* parent);
    ~QtLabel() override;

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

    void Paint(QWidget& widget);

private:
    void FitToText();
    void Update();

    QtWindow& window_;
    std::string text_;
    Colour foreColour_ = 0;
    Colour backColour_ = MakeColour(0xF0, 0xF0, 0xF0);
    bool transparent_ = false;
    Alignment alignment_ = Alignment::Left;
    FontSpec font_;
    bool autoSize_ = false;
};

class QtCommandLineEdit;
class HeldKeyEvents;

// A one-line edit box. Typing goes through the core's key events first,
// with Windows key codes; the box then edits as a Windows edit box does.
class QtTextBox final : public QtControlOf<TextBox> {
public:
    explicit QtTextBox(QWidget* parent);
    ~QtTextBox() override;

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
    void SetFont(const FontSpec& font) override;
    FontSpec Font() const override { return font_; }
    void SetFocus() override;
    void SetInputHeld(bool held) override;
    // The widget, while it exists.
    QLineEdit* LineEdit() const;

    // From the widget. Each returns false when the handler destroyed the box.
    bool RaiseKeyDown(int& keyCode, int shift);
    bool RaiseKeyPress(int& charCode);
    void RaiseKeyUp(int keyCode, int shift);
    void RaiseChange();
    // A typed character the key events left: inserted over the selection, 8
    // deletes backwards; other control characters do nothing.
    void ApplyCharacter(int charCode);
    // Delete, and the caret keys that Windows moves one character.
    void DeleteForward();
    void MoveCaret(int by);

private:
    QtCommandLineEdit* Edit() const;
    void Replace(int start, int length, const QString& text, int caret);
    void ApplyPalette();

    Events events_;
    bool readOnly_ = false;
    Alignment alignment_ = Alignment::Left;
    int borderStyle_ = 1;
    Colour foreColour_ = 0;
    Colour backColour_ = MakeColour(255, 255, 255);
    FontSpec font_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    // Owned by the widget.
    QPointer<HeldKeyEvents> heldKeys_;
};

class QtWindowFactory;

class QtPictureBox final : public QtControlOf<PictureBox> {
public:
    QtPictureBox(QtWindowFactory& factory, QWidget* parent);
    ~QtPictureBox() override;

    void SetEvents(Events events) override { events_ = std::move(events); }
    void SetPicture(PicturePtr picture) override;
    PicturePtr GetPicture() const override { return picture_; }
    void SetCapture() override;
    bool HasCapture() const override;

    // From the widget; x and y in pixels of the control.
    void RaiseMouse(std::function<void(int, int, int, int)> Events::*event, int button, int shift, int x, int y);
    void RaiseClick();
    void Paint(QWidget& widget);

private:
    QtWindowFactory& factory_;
    Events events_;
    PicturePtr picture_;
};

class QtCheckBox final : public QtControlOf<CheckBox> {
public:
    explicit QtCheckBox(QWidget* parent);
    void SetCaption(const std::string& caption) override;
    std::string Caption() const override;
    void SetChecked(bool checked) override;
    bool Checked() const override;

private:
    QCheckBox* Box() const { return static_cast<QCheckBox*>(widget_.data()); }
};

class QtCommandButton final : public QtControlOf<CommandButton> {
public:
    explicit QtCommandButton(QWidget* parent);
    void SetCaption(const std::string& caption) override;
    std::string Caption() const override;
    void SetClickHandler(std::function<void()> onClick) override;

private:
    std::shared_ptr<std::function<void()>> onClick_ = std::make_shared<std::function<void()>>();
};

// A line from (left, top) to (left + width, top + height).
class QtLine final : public QtControlOf<Control> {
public:
    explicit QtLine(QWidget* parent);
    ~QtLine() override;
    void Paint(QWidget& widget);

private:
    void ApplyFrame() override;
};

// A window timer: it stops for good when its window is closed.
class QtTimer final : public Timer {
public:
    explicit QtTimer(std::shared_ptr<const bool> windowClosed);
    // The Qt timer goes later: the handler that destroys this object may
    // be running inside its signal.
    ~QtTimer() override;
    void SetInterval(int milliseconds) override;
    int Interval() const override { return interval_; }
    void SetEnabled(bool enabled) override;
    bool Enabled() const override { return enabled_; }
    void SetHandler(std::function<void()> onTick) override { onTick_ = std::move(onTick); }

private:
    void Restart();

    std::shared_ptr<const bool> windowClosed_;
    std::unique_ptr<QTimer> timer_;
    int interval_ = 0;
    bool enabled_ = false;
    std::function<void()> onTick_;
};

}  // namespace zindle
