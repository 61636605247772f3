#pragma once
// A top-level window of the Qt front end: the core's Window (controls,
// background, size) and its NativeWindow (procedure chain, rectangle,
// styles, timers, hotkeys) in one object. The bar is an X11 dock, which
// window managers do not move, so its move loop runs here.

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <map>
#include <memory>
#include <vector>

#include "frontends/qt/qt_geometry.h"
#include "platform/controls.h"

class QEventLoop;
class QLineEdit;

namespace zindle {

class FocusReturn;
class QtWindowFactory;
class QtWindow;

// The widget that stands for the window: it paints the background and turns
// Qt's events into the core's events and messages.
class QtWindowWidget final : public QWidget {
public:
    explicit QtWindowWidget(QtWindow* owner);
    void Detach() { owner_ = nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    QtWindow* owner_;
};

class QtWindow final : public Window, public NativeWindow {
public:
    QtWindow(QtWindowFactory& factory, std::string name, const std::string& caption, WindowKind kind);
    ~QtWindow() override;
    QtWindow(const QtWindow&) = delete;
    QtWindow& operator=(const QtWindow&) = delete;

    // Window.
    void SetEvents(Events events) override { events_ = std::move(events); }
    std::unique_ptr<Label> CreateLabel(const std::string& name) override;
    std::unique_ptr<TextBox> CreateTextBox(const std::string& name) override;
    std::unique_ptr<PictureBox> CreatePictureBox(const std::string& name) override;
    std::unique_ptr<Timer> CreateTimer(const std::string& name) override;
    std::unique_ptr<CheckBox> CreateCheckBox(const std::string& name) override;
    std::unique_ptr<CommandButton> CreateButton(const std::string& name) override;
    std::unique_ptr<Control> CreateLine(const std::string& name) override;
    void SetBackColor(Colour colour) override;
    Colour BackColor() const override { return backColour_; }
    void DrawPicture(const PicturePtr& picture, int leftTwips, int topTwips) override;
    void ClearBackgroundPictures() override;
    int Width() const override;
    int Height() const override;
    void SetClientSize(int widthTwips, int heightTwips) override;
    void SetVisible(bool visible) override;
    bool Visible() const override;
    void Close() override;
    NativeWindow& Native() override { return *this; }

    // NativeWindow. The window's own procedure answers WM_NCHITTEST with
    // HTCAPTION on the bar's bare background (labels included), so the bar
    // can be dragged by it, HTCLIENT elsewhere inside, and 0 for anything else.
    std::uintptr_t Handle() const override { return handle_; }
    WindowProc SetWindowProc(WindowProc procedure) override;
    std::intptr_t SendMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    std::string GetWindowText() const override { return caption_; }
    RectPx GetWindowRect() const override;
    RectPx GetClientRect() const override;
    PointPx ClientToScreen(PointPx point) const override;
    bool SetWindowPos(std::uintptr_t insertAfter, int x, int y, int width, int height, unsigned flags) override;
    void ShowWindow(int command) override;
    void UpdateWindow() override;
    std::int32_t GetWindowLong(int index) const override;
    std::int32_t SetWindowLong(int index, std::int32_t value) override;
    void DeleteSystemMenuItem(unsigned) override {}
    void SetTimer(unsigned id, unsigned milliseconds) override;
    void KillTimer(unsigned id) override;
    void Activate() override;
    bool RegisterHotkey(int id, int keyCode, int modifiers) override;
    void UnregisterHotkey(int id) override;

    const std::string& Name() const { return name_; }
    WindowKind Kind() const { return kind_; }
    bool Closed() const { return *closed_; }
    QWidget* Widget() const { return widget_; }
    QtWindowFactory& Factory() const { return factory_; }

    // Runs the message loop until the window is closed.
    void RunModalLoop();

    // From the widget.
    void Paint(QWidget& widget);
    void MousePressed(QPoint global);
    void MouseMoved(QPoint global, bool buttonDown);
    void MouseReleased();
    void CloseRequested();
    void CheckResize();
    void Activated(bool active);
    // From the X event filter: WM_NORMAL_HINTS of this window changed.
    void SizeHintsChanged();

private:
    std::intptr_t DefaultWindowProc(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
    // Dock without a frame, or (with a caption) an ordinary framed window.
    void ApplyFrame(bool caption);
    // A docked bar on exactly its strip's device pixels, at fractional
    // scales: placed again when Qt has just placed it, or when Qt's size
    // hints had brought back their steps.
    void PlaceOnDevicePixels(bool evenWithoutSteps);
    void Center();
    void ScheduleMapping();
    // dialog: lines for the boxes whose text the trace has not shown yet.
    void ReportDialogText();

    struct BackgroundPicture {
        PicturePtr picture;
        int left = 0;
        int top = 0;
    };

    QtWindowFactory& factory_;
    std::string name_;
    std::string caption_;
    WindowKind kind_;
    QPointer<QtWindowWidget> widget_;
    std::uintptr_t handle_ = 0;
    Events events_;
    WindowProc procedure_;
    Colour backColour_ = MakeColour(0xF0, 0xF0, 0xF0);
    std::vector<BackgroundPicture> background_;
    std::shared_ptr<bool> closed_ = std::make_shared<bool>(false);
    std::int32_t style_ = 0;
    std::int32_t exStyle_ = 0;
    QSize lastSize_;
    bool wantVisible_ = false;
    bool mappingScheduled_ = false;
    bool remapNeeded_ = false;
    std::map<unsigned, std::unique_ptr<QTimer>> timers_;
    QEventLoop* modalLoop_ = nullptr;
    // Where the focus goes back to when the modal loop's window closes.
    FocusReturn* focusReturn_ = nullptr;
    std::vector<std::pair<std::string, QPointer<QLineEdit>>> dialogBoxes_;
    std::map<std::string, std::string> dialogText_;
    // The move loop: where the button went down, and the window then.
    bool moving_ = false;
    QPoint pressPoint_;
    RectPx pressRect_;
};

}  // namespace zindle
