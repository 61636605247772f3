#include "frontends/qt/qt_controls.h"

#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "frontends/common/event_lines.h"
#include "frontends/qt/held_key_events.h"
#include "frontends/qt/qt_window.h"
#include "frontends/qt/qt_window_factory.h"
#include "frontends/qt/virtual_keys.h"

namespace zindle {

namespace {

constexpr const char* kDialogFontName = "MS Sans Serif";

// How much smaller MS Sans Serif's stand-in is drawn: the largest size in
// quarter points from 8 pt down to 6 pt (smaller would be hard to read)
// whose letters fit MS Sans Serif's, over 8 pt.
double DialogFontScale() {
    static const double scale = [] {
        QFont font(kDialogFontName);
        const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        double points = 8;
        for (font.setPointSizeF(points);
             points > 6 && QFontMetricsF(font).horizontalAdvance(alphabet) > kDialogAlphabetPixels;
             font.setPointSizeF(points)) {
            points -= 0.25;
        }
        return points / 8;
    }();
    return scale;
}

}  // namespace

QFont QFontFrom(const FontSpec& wanted) {
    const QString name = QString::fromStdString(wanted.name);
    QFont font(name);
    double points = wanted.size > 0 ? wanted.size : 8;
    if (name.compare(kDialogFontName, Qt::CaseInsensitive) == 0) {
        points *= DialogFontScale();
    }
    font.setPointSizeF(points);
    font.setBold(wanted.bold);
    font.setItalic(wanted.italic);
    font.setStrikeOut(wanted.strikethrough);
    font.setUnderline(wanted.underline);
    return font;
}

namespace {

// Widgets that paint through their control while it exists.
template <class Control>
class PaintedWidget final : public QWidget {
public:
    PaintedWidget(QWidget* parent, Control* control) : QWidget(parent), control_(control) {}
    void Detach() { control_ = nullptr; }

protected:
    void paintEvent(QPaintEvent*) override {
        if (control_) control_->Paint(*this);
    }

private:
    Control* control_;
};

Qt::Alignment QtAlignment(Alignment alignment) {
    switch (alignment) {
        case Alignment::Right: return Qt::AlignRight;
        case Alignment::Center: return Qt::AlignHCenter;
        case Alignment::Left: break;
    }
    return Qt::AlignLeft;
}

// Positions count code points; QString counts UTF-16 units.
int Utf16Index(const QString& text, int codePoints) {
    int index = 0;
    for (int seen = 0; seen < codePoints && index < text.size(); ++seen) {
        index += (text[index].isHighSurrogate() && index + 1 < text.size()) ? 2 : 1;
    }
    return index;
}

int CodePointIndex(const QString& text, int utf16Index) {
    int points = 0;
    for (int index = 0; index < utf16Index && index < text.size(); ++points) {
        index += (text[index].isHighSurrogate() && index + 1 < text.size()) ? 2 : 1;
    }
    return points;
}

int MouseButton(Qt::MouseButtons buttons) {
    int result = 0;
    if (buttons & Qt::LeftButton) result |= kLeftButton;
    if (buttons & Qt::RightButton) result |= kRightButton;
    if (buttons & Qt::MiddleButton) result |= kMiddleButton;
    return result;
}

}  // namespace

// --- QtLabel ----------------------------------------------------------------

QtLabel::QtLabel(QtWindow& window, QWidget* parent)
    : QtControlOf(new PaintedWidget<QtLabel>(parent, this)), window_(window) {
    widget_->setAttribute(Qt::WA_TransparentForMouseEvents);
    widget_->show();
}

QtLabel::~QtLabel() {
    if (widget_) static_cast<PaintedWidget<QtLabel>*>(widget_.data())->Detach();
}

void QtLabel::SetText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    if (autoSize_) FitToText();
    Update();
}

void QtLabel::SetForeColor(Colour colour) {
    // The text vanishing into the background is one flash of the status line.
    if (colour == window_.BackColor() && foreColour_ != colour) window_.Factory().Trace().Write(kFlashEventLine);
    foreColour_ = colour;
    Update();
}

void QtLabel::SetBackColor(Colour colour) {
    backColour_ = colour;
    Update();
}

void QtLabel::SetTransparent(bool transparent) {
    transparent_ = transparent;
    Update();
}

void QtLabel::SetAlignment(Alignment alignment) {
    alignment_ = alignment;
    Update();
}

void QtLabel::SetFont(const FontSpec& font) {
    if (font == font_) return;
    font_ = font;
    if (autoSize_) FitToText();
    Update();
}

void QtLabel::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    if (autoSize_) FitToText();
}

// The size of the text, keeping the edge it is aligned to (the centre when centred).
void QtLabel::FitToText() {
    const QFontMetrics metrics(QFontFrom(font_));
    const QString text = QString::fromStdString(text_);
    int widthPx = 0;
    int lines = 0;
    for (const QString& line : QString(text).replace("\r\n", "\n").replace('\r', '\n').split('\n')) {
        widthPx = std::max(widthPx, metrics.horizontalAdvance(line));
        ++lines;
    }
    const int width = TwipsFromPixels(std::max(widthPx, 1));
    const int height = TwipsFromPixels(std::max(metrics.lineSpacing() * lines, 1));
    if (alignment_ == Alignment::Right) frame_.left += frame_.width - width;
    if (alignment_ == Alignment::Center) frame_.left += (frame_.width - width) / 2;
    frame_.width = width;
    frame_.height = height;
    ApplyFrame();
}

void QtLabel::Update() {
    if (widget_) widget_->update();
}

void QtLabel::Paint(QWidget& widget) {
    QPainter painter(&widget);
    if (!transparent_) painter.fillRect(widget.rect(), QColorFrom(backColour_));
    painter.setFont(QFontFrom(font_));
    painter.setPen(QColorFrom(foreColour_));
    QString text = QString::fromStdString(text_);
    text.replace("\r\n", "\n").replace('\r', '\n');
    const int flags = static_cast<int>(QtAlignment(alignment_)) | Qt::AlignTop | (autoSize_ ? 0 : Qt::TextWordWrap);
    painter.drawText(widget.rect(), flags, text);
}

// --- QtTextBox --------------------------------------------------------------

// The edit box: key events go to the core first, with Windows key codes.
class QtCommandLineEdit final : public QLineEdit {
public:
    QtCommandLineEdit(QWidget* parent, QtTextBox* box) : QLineEdit(parent), box_(box) {
        connect(this, &QLineEdit::textEdited, this, [this] {
            if (box_) box_->RaiseChange();
        });
    }
    void Detach() { box_ = nullptr; }

protected:
    bool event(QEvent* event) override {
        // Tab reaches the box as any other key; there is nowhere else to go.
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab) {
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        }
        return QLineEdit::event(event);
    }

    void keyPressEvent(QKeyEvent* event) override {
        if (!box_) return;
        QtTextBox* box = box_;
        const int virtualKey = VirtualKeyFromQtKey(event->key());
        const int shift = ShiftMaskFromQtModifiers(event->modifiers());
        int keyCode = virtualKey;
        if (virtualKey != 0 && !box->RaiseKeyDown(keyCode, shift)) return;
        const QString text = event->text();
        const bool control = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
        if (!text.isEmpty() && !control) {
            for (const char32_t c : text.toUcs4()) {
                int charCode = static_cast<int>(c);
                if (!box->RaiseKeyPress(charCode)) return;
                box->ApplyCharacter(charCode);
            }
            return;
        }
        if (virtualKey != 0 && keyCode == 0) return;
        switch (event->key()) {
            case Qt::Key_Up: box->MoveCaret(-1); return;
            case Qt::Key_Down: box->MoveCaret(1); return;
            case Qt::Key_Delete:
                if (event->modifiers() == Qt::NoModifier) {
                    box->DeleteForward();
                    return;
                }
                break;
            default: break;
        }
        // Caret keys with their selection, and the clipboard's Ctrl keys.
        QLineEdit::keyPressEvent(event);
    }

    void keyReleaseEvent(QKeyEvent* event) override {
        if (!box_ || event->isAutoRepeat()) return;
        const int virtualKey = VirtualKeyFromQtKey(event->key());
        if (virtualKey != 0) box_->RaiseKeyUp(virtualKey, ShiftMaskFromQtModifiers(event->modifiers()));
    }

    // A character composed by an input method arrives as a key press of it.
    void inputMethodEvent(QInputMethodEvent* event) override {
        if (!box_ || event->commitString().isEmpty()) {
            QLineEdit::inputMethodEvent(event);
            return;
        }
        QtTextBox* box = box_;
        QInputMethodEvent preeditOnly(event->preeditString(), event->attributes());
        for (const char32_t c : event->commitString().toUcs4()) {
            int charCode = static_cast<int>(c);
            if (!box->RaiseKeyPress(charCode)) return;
            box->ApplyCharacter(charCode);
        }
        QLineEdit::inputMethodEvent(&preeditOnly);
    }

private:
    QtTextBox* box_;
};

QtTextBox::QtTextBox(QWidget* parent) : QtControlOf(new QtCommandLineEdit(parent, this)) {
    heldKeys_ = new HeldKeyEvents(widget_);
    ApplyPalette();
    widget_->show();
}

QtTextBox::~QtTextBox() {
    *alive_ = false;
    if (QtCommandLineEdit* edit = Edit()) edit->Detach();
}

QtCommandLineEdit* QtTextBox::Edit() const { return static_cast<QtCommandLineEdit*>(widget_.data()); }

QLineEdit* QtTextBox::LineEdit() const { return Edit(); }

void QtTextBox::SetInputHeld(bool held) {
    if (heldKeys_) heldKeys_->SetHeld(held);
}

void QtTextBox::SetText(const std::string& text) {
    QtCommandLineEdit* edit = Edit();
    const QString value = QString::fromStdString(text);
    if (!edit || edit->text() == value) return;
    edit->setText(value);
    edit->setCursorPosition(0);
    RaiseChange();
}

std::string QtTextBox::Text() const {
    const QtCommandLineEdit* edit = Edit();
    return edit ? edit->text().toStdString() : std::string();
}

void QtTextBox::SetSelection(int start, int length) {
    QtCommandLineEdit* edit = Edit();
    if (!edit) return;
    const QString text = edit->text();
    const int total = CodePointIndex(text, static_cast<int>(text.size()));
    start = std::clamp(start, 0, total);
    length = std::clamp(length, 0, total - start);
    const int from = Utf16Index(text, start);
    const int to = Utf16Index(text, start + length);
    // Selected backwards, so that the caret sits at the start.
    if (to > from) edit->setSelection(to, from - to);
    else edit->setCursorPosition(from);
}

int QtTextBox::SelectionStart() const {
    const QtCommandLineEdit* edit = Edit();
    if (!edit) return 0;
    const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    return CodePointIndex(edit->text(), start);
}

int QtTextBox::SelectionLength() const {
    const QtCommandLineEdit* edit = Edit();
    if (!edit || !edit->hasSelectedText()) return 0;
    const QString text = edit->text();
    return CodePointIndex(text, edit->selectionEnd()) - CodePointIndex(text, edit->selectionStart());
}

void QtTextBox::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    if (QtCommandLineEdit* edit = Edit()) edit->setReadOnly(readOnly);
}

void QtTextBox::SetAlignment(Alignment alignment) {
    alignment_ = alignment;
    if (QtCommandLineEdit* edit = Edit()) edit->setAlignment(QtAlignment(alignment) | Qt::AlignVCenter);
}

void QtTextBox::SetBorderStyle(int style) {
    borderStyle_ = style;
    if (QtCommandLineEdit* edit = Edit()) edit->setFrame(style != 0);
}

void QtTextBox::SetForeColor(Colour colour) {
    foreColour_ = colour;
    ApplyPalette();
}

void QtTextBox::SetBackColor(Colour colour) {
    backColour_ = colour;
    ApplyPalette();
}

void QtTextBox::ApplyPalette() {
    QtCommandLineEdit* edit = Edit();
    if (!edit) return;
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, QColorFrom(backColour_));
    palette.setColor(QPalette::Text, QColorFrom(foreColour_));
    edit->setPalette(palette);
}

void QtTextBox::SetFont(const FontSpec& font) {
    font_ = font;
    if (QtCommandLineEdit* edit = Edit()) edit->setFont(QFontFrom(font));
}

void QtTextBox::SetFocus() {
    if (QtCommandLineEdit* edit = Edit()) edit->setFocus(Qt::OtherFocusReason);
}

bool QtTextBox::RaiseKeyDown(int& keyCode, int shift) {
    const auto handler = events_.keyDown;
    if (!handler) return true;
    const auto alive = alive_;
    handler(keyCode, shift);
    return *alive;
}

bool QtTextBox::RaiseKeyPress(int& charCode) {
    const auto handler = events_.keyPress;
    if (!handler) return true;
    const auto alive = alive_;
    handler(charCode);
    return *alive;
}

void QtTextBox::RaiseKeyUp(int keyCode, int shift) {
    if (const auto handler = events_.keyUp) handler(keyCode, shift);
}

void QtTextBox::RaiseChange() {
    if (const auto handler = events_.change) handler();
}

void QtTextBox::ApplyCharacter(int charCode) {
    constexpr int kBackspace = 8;
    QtCommandLineEdit* edit = Edit();
    if (!edit || readOnly_ || charCode == 0) return;
    const int start = SelectionStart();
    const int length = SelectionLength();
    if (charCode == kBackspace) {
        if (length > 0) Replace(start, length, {}, start);
        else if (start > 0) Replace(start - 1, 1, {}, start - 1);
        return;
    }
    if (charCode < 0x20 || charCode == 0x7f || charCode > 0x10FFFF || (charCode >= 0xD800 && charCode <= 0xDFFF)) {
        return;
    }
    const char32_t c = static_cast<char32_t>(charCode);
    Replace(start, length, QString::fromUcs4(&c, 1), start + 1);
}

void QtTextBox::DeleteForward() {
    QtCommandLineEdit* edit = Edit();
    if (!edit || readOnly_) return;
    const int start = SelectionStart();
    const int length = SelectionLength();
    const int total = CodePointIndex(edit->text(), static_cast<int>(edit->text().size()));
    if (length > 0) Replace(start, length, {}, start);
    else if (start < total) Replace(start, 1, {}, start);
}

void QtTextBox::MoveCaret(int by) {
    QtCommandLineEdit* edit = Edit();
    if (!edit) return;
    const QString text = edit->text();
    const int total = CodePointIndex(text, static_cast<int>(text.size()));
    edit->setCursorPosition(Utf16Index(text, std::clamp(SelectionStart() + by, 0, total)));
}

void QtTextBox::Replace(int start, int length, const QString& text, int caret) {
    QtCommandLineEdit* edit = Edit();
    const QString before = edit->text();
    const int from = Utf16Index(before, start);
    const int to = Utf16Index(before, start + length);
    const QString after = before.left(from) + text + before.mid(to);
    edit->setText(after);
    edit->setCursorPosition(Utf16Index(after, caret));
    if (after != before) RaiseChange();
}

// --- QtPictureBox -----------------------------------------------------------

namespace {

class PictureWidget final : public QWidget {
public:
    PictureWidget(QWidget* parent, QtPictureBox* box) : QWidget(parent), box_(box) { setMouseTracking(true); }
    void Detach() { box_ = nullptr; }

protected:
    void paintEvent(QPaintEvent*) override {
        if (box_) box_->Paint(*this);
    }
    void mousePressEvent(QMouseEvent* event) override {
        pressed_ = true;
        Raise(&PictureBox::Events::mouseDown, event, MouseButton(event->button()));
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        Raise(&PictureBox::Events::mouseMove, event, MouseButton(event->buttons()));
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
        pressed_ = false;
        QPointer<PictureWidget> self(this);
        Raise(&PictureBox::Events::mouseUp, event, MouseButton(event->button()));
        if (click && self && box_) box_->RaiseClick();
    }

private:
    void Raise(std::function<void(int, int, int, int)> PictureBox::Events::*handler, QMouseEvent* event, int button) {
        if (!box_) return;
        const QPoint point = event->position().toPoint();
        box_->RaiseMouse(handler, button, ShiftMaskFromQtModifiers(event->modifiers()), point.x(), point.y());
    }

    QtPictureBox* box_;
    bool pressed_ = false;
};

}  // namespace

QtPictureBox::QtPictureBox(QtWindowFactory& factory, QWidget* parent)
    : QtControlOf(new PictureWidget(parent, this)), factory_(factory) {
    // Pictures lie under the labels, as a picture drawn on a Windows form
    // does: the splash's version label shows on its banner.
    widget_->lower();
    widget_->show();
}

QtPictureBox::~QtPictureBox() {
    factory_.Forget(this);
    if (widget_) static_cast<PictureWidget*>(widget_.data())->Detach();
}

void QtPictureBox::SetPicture(PicturePtr picture) {
    picture_ = std::move(picture);
    if (widget_) widget_->update();
}

void QtPictureBox::SetCapture() {
    factory_.ReleaseCapture();
    if (!widget_ || !widget_->isVisible()) return;
    factory_.SetCapture(this);
    widget_->grabMouse();
}

bool QtPictureBox::HasCapture() const { return factory_.Capture() == this; }

void QtPictureBox::RaiseMouse(std::function<void(int, int, int, int)> Events::*event, int button, int shift, int x,
                              int y) {
    if (const auto handler = events_.*event) handler(button, shift, TwipsFromPixels(x), TwipsFromPixels(y));
}

void QtPictureBox::RaiseClick() {
    if (const auto handler = events_.click) handler();
}

void QtPictureBox::Paint(QWidget& widget) {
    if (const auto* picture = dynamic_cast<const QtPicture*>(picture_.get())) {
        QPainter painter(&widget);
        painter.drawPixmap(0, 0, picture->Pixmap());
    }
}

// --- Check boxes, buttons, lines ------------------------------------------------

namespace {

// A check box whose caption goes on over further lines when it is wider
// than the box, as a Windows check box sized for several lines does;
// QCheckBox keeps it on one line and cuts it. The box and the caption are
// centred vertically, and a click anywhere on the control toggles it.
class WrappingCheckBox final : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        QStyleOptionButton indicator = option;
        indicator.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
        painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

        const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
        const QRect textArea = rect().adjusted(indicator.rect.right() + 1 + spacing, 0, 0, 0);
        constexpr int kFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(textArea, kFlags, text());
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = painter.boundingRect(textArea, kFlags, text()).intersected(textArea);
            painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
    }

    bool hitButton(const QPoint& position) const override { return rect().contains(position); }
};

}  // namespace

QtCheckBox::QtCheckBox(QWidget* parent) : QtControlOf(new WrappingCheckBox(parent)) { widget_->show(); }

void QtCheckBox::SetCaption(const std::string& caption) {
    if (QCheckBox* box = Box()) box->setText(QString::fromStdString(caption));
}

std::string QtCheckBox::Caption() const { return Box() ? Box()->text().toStdString() : std::string(); }

void QtCheckBox::SetChecked(bool checked) {
    if (QCheckBox* box = Box()) box->setChecked(checked);
}

bool QtCheckBox::Checked() const { return Box() && Box()->isChecked(); }

QtCommandButton::QtCommandButton(QWidget* parent) : QtControlOf(new QPushButton(parent)) {
    // The handler is shared: clicking may destroy this object.
    QObject::connect(static_cast<QPushButton*>(widget_.data()), &QPushButton::clicked,
                     [onClick = std::weak_ptr(onClick_)] {
                         if (const auto handler = onClick.lock()) {
                             const auto copy = *handler;
                             if (copy) copy();
                         }
                     });
    widget_->show();
}

void QtCommandButton::SetCaption(const std::string& caption) {
    if (widget_) static_cast<QPushButton*>(widget_.data())->setText(QString::fromStdString(caption));
}

std::string QtCommandButton::Caption() const {
    return widget_ ? static_cast<QPushButton*>(widget_.data())->text().toStdString() : std::string();
}

void QtCommandButton::SetClickHandler(std::function<void()> onClick) { *onClick_ = std::move(onClick); }

QtLine::QtLine(QWidget* parent) : QtControlOf(new PaintedWidget<QtLine>(parent, this)) {
    widget_->setAttribute(Qt::WA_TransparentForMouseEvents);
    ApplyFrame();
    widget_->show();
}

QtLine::~QtLine() {
    if (widget_) static_cast<PaintedWidget<QtLine>*>(widget_.data())->Detach();
}

// The widget spans the line's box and one pixel more, so a flat line shows.
void QtLine::ApplyFrame() {
    if (!widget_) return;
    widget_->setGeometry(PixelsFromTwips(frame_.left), PixelsFromTwips(frame_.top),
                         PixelsFromTwips(frame_.width) + 1, PixelsFromTwips(frame_.height) + 1);
}

void QtLine::Paint(QWidget& widget) {
    QPainter painter(&widget);
    painter.setPen(widget.palette().color(QPalette::Dark));
    painter.drawLine(0, 0, PixelsFromTwips(frame_.width), PixelsFromTwips(frame_.height));
}

// --- QtTimer ----------------------------------------------------------------

QtTimer::QtTimer(std::shared_ptr<const bool> windowClosed)
    : windowClosed_(std::move(windowClosed)), timer_(std::make_unique<QTimer>()) {
    QObject::connect(timer_.get(), &QTimer::timeout, [this] {
        if (*windowClosed_) {
            timer_->stop();
            return;
        }
        // A copy: the handler may replace itself or stop the timer.
        if (const auto handler = onTick_) handler();
    });
}

QtTimer::~QtTimer() {
    timer_->stop();
    timer_->disconnect();
    timer_.release()->deleteLater();
}

void QtTimer::SetInterval(int milliseconds) {
    interval_ = milliseconds;
    Restart();
}

void QtTimer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Restart();
}

// As on Windows, an interval of 0 keeps the timer from firing.
void QtTimer::Restart() {
    if (enabled_ && interval_ > 0 && !*windowClosed_) timer_->start(interval_);
    else timer_->stop();
}

}  // namespace zindle
