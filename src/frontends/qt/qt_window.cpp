#include "frontends/qt/qt_window.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QLineEdit>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <cmath>

#include "frontends/common/event_lines.h"
#include "frontends/qt/ewmh_window_manager.h"
#include "frontends/qt/qt_controls.h"
#include "frontends/qt/qt_focus_return.h"
#include "frontends/qt/qt_geometry.h"
#include "frontends/qt/qt_window_factory.h"

namespace zindle {

namespace {

constexpr std::intptr_t kHtNowhere = 0;
constexpr std::intptr_t kHtClient = 1;
constexpr int kInitialBarHeight = 21;

std::intptr_t PackPoint(QPoint point) {
    return static_cast<std::intptr_t>((static_cast<std::uint32_t>(point.x()) & 0xFFFF) |
                                      ((static_cast<std::uint32_t>(point.y()) & 0xFFFF) << 16));
}

RectPx RectFrom(const QRect& rect) { return {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1}; }

// The window with its frame, as Windows measures a window: sizes given for
// it are sizes of the whole, frame included.
QRect OuterGeometry(const QWidget& widget) {
    if (!widget.isVisible()) return widget.geometry();
    const bool frameless = widget.windowFlags().testFlag(Qt::FramelessWindowHint);
    return OuterRect(widget.frameGeometry(), widget.geometry(), frameless);
}

bool Contains(const RectPx& outer, const RectPx& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

// --- QtWindowWidget ---------------------------------------------------------

QtWindowWidget::QtWindowWidget(QtWindow* owner) : QWidget(nullptr), owner_(owner) { setMouseTracking(true); }

void QtWindowWidget::paintEvent(QPaintEvent*) {
    if (owner_) owner_->Paint(*this);
}

void QtWindowWidget::mousePressEvent(QMouseEvent* event) {
    if (owner_ && event->button() == Qt::LeftButton) owner_->MousePressed(event->globalPosition().toPoint());
}

void QtWindowWidget::mouseMoveEvent(QMouseEvent* event) {
    if (owner_) owner_->MouseMoved(event->globalPosition().toPoint(), event->buttons() & Qt::LeftButton);
}

void QtWindowWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (owner_ && event->button() == Qt::LeftButton) owner_->MouseReleased();
}

// The window closes when the core says so, never by itself.
void QtWindowWidget::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (owner_) owner_->CloseRequested();
}

void QtWindowWidget::resizeEvent(QResizeEvent*) {
    if (owner_) owner_->CheckResize();
}

bool QtWindowWidget::event(QEvent* event) {
    if (owner_ && (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)) {
        owner_->Activated(event->type() == QEvent::WindowActivate);
    }
    return QWidget::event(event);
}

// --- QtWindow ---------------------------------------------------------------

QtWindow::QtWindow(QtWindowFactory& factory, std::string name, const std::string& caption, WindowKind kind)
    : factory_(factory), name_(std::move(name)), caption_(caption), kind_(kind), widget_(new QtWindowWidget(this)) {
    procedure_ = [this](unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
        return DefaultWindowProc(message, wParam, lParam);
    };
    widget_->setWindowTitle(QString::fromStdString(caption));
    switch (kind) {
        case WindowKind::Bar:
            widget_->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
            // It starts where it docks by default, the bottom strip of the
            // screen: docking there then has no distance to slide.
            if (const QScreen* screen = QGuiApplication::primaryScreen()) {
                const QRect area = screen->geometry();
                widget_->setGeometry(area.left(), area.bottom() + 1 - kInitialBarHeight, area.width(), kInitialBarHeight);
            }
            break;
        case WindowKind::Splash: widget_->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint); break;
        case WindowKind::Dialog:
            widget_->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                    Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
            // A Windows dialog's font, which its layout in twips was made for.
            widget_->setFont(QFontFrom({"MS Sans Serif", 8}));
            break;
    }
    handle_ = static_cast<std::uintptr_t>(widget_->winId());
    if (kind == WindowKind::Bar) ApplyFrame(false);
    lastSize_ = widget_->size();
    factory_.Add(this);
}

QtWindow::~QtWindow() {
    Close();
    factory_.Remove(this);
    if (widget_) {
        widget_->Detach();
        widget_->deleteLater();
    }
}

std::unique_ptr<Label> QtWindow::CreateLabel(const std::string&) {
    return std::make_unique<QtLabel>(*this, widget_);
}

std::unique_ptr<TextBox> QtWindow::CreateTextBox(const std::string& name) {
    auto box = std::make_unique<QtTextBox>(widget_);
    // A dialog's boxes are traced: each once when the dialog shows, then each new text.
    if (kind_ == WindowKind::Dialog) {
        QLineEdit* edit = box->LineEdit();
        dialogBoxes_.emplace_back(name, edit);
        QObject::connect(edit, &QLineEdit::textChanged, widget_, [this] {
            if (widget_ && widget_->isVisible()) ReportDialogText();
        });
    }
    return box;
}

void QtWindow::ReportDialogText() {
    for (const auto& [name, edit] : dialogBoxes_) {
        if (!edit) continue;
        const std::string text = edit->text().toStdString();
        const auto last = dialogText_.find(name);
        if (last != dialogText_.end() && last->second == text) continue;
        dialogText_[name] = text;
        factory_.Trace().Write(DialogEventLine(name, text));
    }
}

std::unique_ptr<PictureBox> QtWindow::CreatePictureBox(const std::string&) {
    return std::make_unique<QtPictureBox>(factory_, widget_);
}

std::unique_ptr<Timer> QtWindow::CreateTimer(const std::string&) { return std::make_unique<QtTimer>(closed_); }

std::unique_ptr<CheckBox> QtWindow::CreateCheckBox(const std::string&) {
    return std::make_unique<QtCheckBox>(widget_);
}

std::unique_ptr<CommandButton> QtWindow::CreateButton(const std::string&) {
    return std::make_unique<QtCommandButton>(widget_);
}

std::unique_ptr<Control> QtWindow::CreateLine(const std::string&) { return std::make_unique<QtLine>(widget_); }

void QtWindow::SetBackColor(Colour colour) {
    backColour_ = colour;
    background_.clear();
    if (widget_) widget_->update();
}

void QtWindow::DrawPicture(const PicturePtr& picture, int leftTwips, int topTwips) {
    if (!picture) return;
    background_.push_back({picture, leftTwips, topTwips});
    if (widget_) widget_->update();
}

void QtWindow::ClearBackgroundPictures() {
    background_.clear();
    if (widget_) widget_->update();
}

void QtWindow::Paint(QWidget& widget) {
    QPainter painter(&widget);
    painter.fillRect(widget.rect(), QColorFrom(backColour_));
    for (const BackgroundPicture& drawn : background_) {
        if (const auto* picture = dynamic_cast<const QtPicture*>(drawn.picture.get())) {
            painter.drawPixmap(PixelsFromTwips(drawn.left), PixelsFromTwips(drawn.top), picture->Pixmap());
        }
    }
}

int QtWindow::Width() const { return widget_ ? TwipsFromPixels(widget_->width()) : 0; }

int QtWindow::Height() const { return widget_ ? TwipsFromPixels(widget_->height()) : 0; }

void QtWindow::SetClientSize(int widthTwips, int heightTwips) {
    if (!widget_) return;
    const QSize size(std::max(PixelsFromTwips(widthTwips), 0), std::max(PixelsFromTwips(heightTwips), 0));
    if (kind_ == WindowKind::Dialog) widget_->setFixedSize(size);
    else widget_->resize(size);
    CheckResize();
}

void QtWindow::Center() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || !widget_) return;
    QRect frame(QPoint(), widget_->size());
    frame.moveCenter(screen->geometry().center());
    widget_->move(frame.topLeft());
}

void QtWindow::SetVisible(bool visible) {
    if (!widget_ || (visible && Closed())) return;
    if (kind_ == WindowKind::Bar) {
        wantVisible_ = visible;
        ScheduleMapping();
        return;
    }
    if (visible && !widget_->isVisible()) Center();
    widget_->setVisible(visible);
    if (X11Display* display = factory_.Display(); display && visible) display->Flush();
}

bool QtWindow::Visible() const {
    if (kind_ == WindowKind::Bar) return wantVisible_;
    return widget_ && widget_->isVisible();
}

// The bar is hidden and shown again while its styles change, and changes
// from dock to ordinary window: the window manager is only told the outcome,
// once the core has finished, since a burst of unmaps and maps leaves a
// window manager managing the dock as the ordinary window it briefly was.
void QtWindow::ScheduleMapping() {
    if (mappingScheduled_ || !widget_) return;
    mappingScheduled_ = true;
    QTimer::singleShot(0, widget_, [this] {
        mappingScheduled_ = false;
        if (!widget_) return;
        const bool show = wantVisible_ && !Closed();
        if (remapNeeded_ && widget_->isVisible()) widget_->hide();
        remapNeeded_ = false;
        if (show != widget_->isVisible()) widget_->setVisible(show);
        if (X11Display* display = factory_.Display()) display->Flush();
    });
}

void QtWindow::Close() {
    if (*closed_) return;
    *closed_ = true;
    while (!timers_.empty()) KillTimer(timers_.begin()->first);
    factory_.Hotkeys().UnregisterAll(handle_);
    if (factory_.Capture()) factory_.ReleaseCapture();
    wantVisible_ = false;
    if (focusReturn_) focusReturn_->Return();
    if (widget_) widget_->hide();
    if (modalLoop_) modalLoop_->quit();
    if (kind_ == WindowKind::Bar) factory_.MainWindowClosed();
}

void QtWindow::RunModalLoop() {
    if (Closed() || !widget_) return;
    QEventLoop loop;
    QEventLoop* outer = std::exchange(modalLoop_, &loop);
    FocusReturn focusReturn;
    FocusReturn* outerReturn = std::exchange(focusReturn_, &focusReturn);
    widget_->setWindowModality(Qt::ApplicationModal);
    SetVisible(true);
    widget_->activateWindow();
    ReportDialogText();
    if (!Closed()) loop.exec();
    modalLoop_ = outer;
    focusReturn_ = outerReturn;
}

void QtWindow::CloseRequested() {
    // The handler may close or destroy the window; the shared flag tells.
    const auto closed = closed_;
    bool cancel = false;
    if (const auto queryUnload = events_.queryUnload) queryUnload(cancel, CloseReason::User);
    if (!*closed && !cancel) Close();
}

void QtWindow::CheckResize() {
    if (!widget_ || widget_->size() == lastSize_) return;
    lastSize_ = widget_->size();
    if (const auto resize = events_.resize) resize();
}

void QtWindow::Activated(bool active) { SendMessage(kWmActivate, active ? 1 : 0, 0); }

// --- The procedure chain ----------------------------------------------------------

WindowProc QtWindow::SetWindowProc(WindowProc procedure) {
    WindowProc previous = std::move(procedure_);
    procedure_ = procedure ? std::move(procedure) : [this](unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
        return DefaultWindowProc(message, wParam, lParam);
    };
    return previous;
}

std::intptr_t QtWindow::SendMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (Closed()) return 0;
    // A copy: the procedure may replace itself while it runs.
    const WindowProc procedure = procedure_;
    return procedure(message, wParam, lParam);
}

std::intptr_t QtWindow::DefaultWindowProc(unsigned message, std::uintptr_t, std::intptr_t lParam) {
    if (message != kWmNcHitTest || !widget_) return 0;
    const auto packed = static_cast<std::uint32_t>(lParam);
    const QPoint global(static_cast<std::int16_t>(packed & 0xFFFF), static_cast<std::int16_t>(packed >> 16));
    const QPoint local = widget_->mapFromGlobal(global);
    if (!widget_->rect().contains(local)) return kHtNowhere;
    // childAt passes over the labels, which are transparent for the mouse.
    if (kind_ == WindowKind::Bar && !widget_->childAt(local)) return kHtCaption;
    return kHtClient;
}

// --- The move loop: window managers leave docks where they are. -------------------

void QtWindow::MousePressed(QPoint global) {
    if (moving_ || SendMessage(kWmNcHitTest, 0, PackPoint(global)) != kHtCaption) return;
    moving_ = true;
    pressPoint_ = global;
    pressRect_ = GetWindowRect();
    SendMessage(kWmEnterSizeMove, 0, 0);
}

void QtWindow::MouseMoved(QPoint global, bool buttonDown) {
    if (!moving_) {
        const std::intptr_t hit = SendMessage(kWmNcHitTest, 0, PackPoint(global));
        if (!buttonDown && hit != kHtClient && hit != kHtNowhere) {
            SendMessage(kWmNcMouseMove, static_cast<std::uintptr_t>(hit), PackPoint(global));
        }
        return;
    }
    const QPoint offset = global - pressPoint_;
    RectPx proposed{pressRect_.left + offset.x(), pressRect_.top + offset.y(), pressRect_.right + offset.x(),
                    pressRect_.bottom + offset.y()};
    SendMessage(kWmMoving, 0, reinterpret_cast<std::intptr_t>(&proposed));
    if (!moving_ || Closed()) return;
    SetWindowPos(kHwndTop, proposed.left, proposed.top, proposed.right - proposed.left,
                 proposed.bottom - proposed.top, kSwpNoZOrder | kSwpNoActivate);
}

void QtWindow::MouseReleased() {
    if (!moving_) return;
    moving_ = false;
    SendMessage(kWmExitSizeMove, 0, 0);
}

// --- Rectangles, styles, timers -------------------------------------------------

RectPx QtWindow::GetWindowRect() const {
    if (!widget_) return {};
    return RectFrom(OuterGeometry(*widget_));
}

RectPx QtWindow::GetClientRect() const {
    if (!widget_) return {};
    return {0, 0, widget_->width(), widget_->height()};
}

PointPx QtWindow::ClientToScreen(PointPx point) const {
    if (!widget_) return point;
    const QPoint global = widget_->mapToGlobal(QPoint(point.x, point.y));
    return {global.x(), global.y()};
}

bool QtWindow::SetWindowPos(std::uintptr_t insertAfter, int x, int y, int width, int height, unsigned flags) {
    if (Closed() || !widget_) return false;
    if (!(flags & kSwpNoZOrder)) {
        X11Display* display = factory_.Display();
        if (insertAfter == kHwndTop) widget_->raise();
        else if (insertAfter == kHwndBottom) widget_->lower();
        if (display && widget_->isVisible()) {
            display->ChangeWmState(static_cast<xcb_window_t>(handle_), insertAfter == kHwndTopmost,
                                   display->Atom("_NET_WM_STATE_ABOVE"));
            display->ChangeWmState(static_cast<xcb_window_t>(handle_), insertAfter == kHwndBottom,
                                   display->Atom("_NET_WM_STATE_BELOW"));
        }
    }
    const QSize extra = OuterGeometry(*widget_).size() - widget_->size();
    if (!(flags & kSwpNoMove)) widget_->move(x, y);
    if (!(flags & kSwpNoSize)) widget_->resize(std::max(width - extra.width(), 0), std::max(height - extra.height(), 0));
    PlaceOnDevicePixels(true);
    if (X11Display* display = factory_.Display()) display->Flush();
    SendMessage(kWmWindowPosChanged, 0, 0);
    CheckResize();
    return true;
}

// Qt rounds a window's position and its size to device pixels each on its
// own: at a scale of 1.5 a bar 21 logical pixels high at the bottom of a
// 768-pixel screen would start at row 737 and be 32 rows high, one past the
// screen. A docked bar's edges are placed one by one instead, as its strut
// reserves them, so that it covers exactly its strip; Qt takes the new
// device rectangle for the same logical one. Qt also asks the window
// manager for sizes in steps of its scaled logical pixel (2 device pixels at
// 1.5), which would cut the 31 rows down to 30: the docked bar asks for no
// steps. Both are needed at fractional scales only.
void QtWindow::PlaceOnDevicePixels(bool evenWithoutSteps) {
    X11Display* display = factory_.Display();
    if (!display || !handle_ || !widget_ || kind_ != WindowKind::Bar || (style_ & kWsCaptionAndSysMenu)) return;
    // At a whole scale Qt's rounding is already exact: no need to ask X.
    const qreal ratio = widget_->devicePixelRatioF();
    if (ratio == std::floor(ratio)) return;
    const RectPx logical = RectFrom(widget_->geometry());
    const EwmhWindowManager::ScreenScale scale = EwmhWindowManager::ScaleAtLogical(logical, display);
    // A bar reaching past its screen (sliding in from off-screen) keeps its
    // size as Qt rounds it.
    if (scale.ratio == std::floor(scale.ratio) || !Contains(scale.logical, logical)) return;
    const auto window = static_cast<xcb_window_t>(handle_);
    if (display->DropResizeSteps(window) || evenWithoutSteps) {
        display->Configure(window, EwmhWindowManager::ToDevice(logical, scale));
    }
}

// Qt writes its size hints again when it shows the window, among other times.
void QtWindow::SizeHintsChanged() { PlaceOnDevicePixels(false); }

void QtWindow::ShowWindow(int command) { SetVisible(command != kSwHide); }

void QtWindow::UpdateWindow() {
    if (!widget_) return;
    widget_->repaint();
    if (X11Display* display = factory_.Display()) display->Flush();
}

std::int32_t QtWindow::GetWindowLong(int index) const {
    return index == kGwlExStyle ? exStyle_ : index == kGwlStyle ? style_ : 0;
}

std::int32_t QtWindow::SetWindowLong(int index, std::int32_t value) {
    if (index == kGwlExStyle) return std::exchange(exStyle_, value);
    if (index != kGwlStyle) return 0;
    const std::int32_t old = std::exchange(style_, value);
    const bool caption = (value & kWsCaptionAndSysMenu) != 0;
    if (kind_ == WindowKind::Bar && caption != ((old & kWsCaptionAndSysMenu) != 0)) ApplyFrame(caption);
    return old;
}

// A docked bar is a frameless dock; a floating one an ordinary window with
// a title bar. Qt would make a new native window if its flags changed, so
// the type and the decorations are set on the X window itself, and the
// window manager reads them again when the window is mapped again.
void QtWindow::ApplyFrame(bool caption) {
    X11Display* display = factory_.Display();
    if (!widget_ || !display || !handle_) return;
    const auto window = static_cast<xcb_window_t>(handle_);
    const char* type = caption ? "_NET_WM_WINDOW_TYPE_NORMAL" : "_NET_WM_WINDOW_TYPE_DOCK";
    display->SetProperty32(window, display->Atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, {display->Atom(type)});
    // Motif hints: flags (2: decorations given), functions, decorations (1: all), input mode, status.
    const xcb_atom_t motif = display->Atom("_MOTIF_WM_HINTS");
    display->SetProperty32(window, motif, motif, {2, 0, caption ? 1u : 0u, 0, 0});
    if (widget_->isVisible()) {
        remapNeeded_ = true;
        ScheduleMapping();
    }
}

void QtWindow::SetTimer(unsigned id, unsigned milliseconds) {
    KillTimer(id);
    if (Closed()) return;
    auto timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, [this, id] { SendMessage(kWmTimer, id, 0); });
    timer->start(static_cast<int>(std::min<unsigned>(milliseconds, INT32_MAX)));
    timers_[id] = std::move(timer);
}

void QtWindow::KillTimer(unsigned id) {
    const auto found = timers_.find(id);
    if (found == timers_.end()) return;
    // The timer may be the one whose message is being handled.
    found->second->stop();
    found->second.release()->deleteLater();
    timers_.erase(found);
}

// The activation carries the time of the last X event Qt saw, such as the
// hotkey's key press, so that focus-stealing prevention lets it through.
void QtWindow::Activate() {
    if (!widget_ || Closed()) return;
    widget_->raise();
    widget_->activateWindow();
}

bool QtWindow::RegisterHotkey(int id, int keyCode, int modifiers) {
    return !Closed() && factory_.Hotkeys().Register(handle_, id, keyCode, modifiers);
}

void QtWindow::UnregisterHotkey(int id) { factory_.Hotkeys().Unregister(handle_, id); }

}  // namespace zindle
