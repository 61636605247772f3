#pragma once
// Creates the Qt front end's windows and pictures, and keeps what they share:
// the mouse capture, the hotkeys, the trace file and the list of windows by
// handle (for messages that arrive from X).

#include <QPixmap>

#include <functional>
#include <vector>

#include "frontends/common/trace_file.h"
#include "frontends/qt/x11_hotkeys.h"
#include "platform/controls.h"

namespace zindle {

class QtWindow;
class QtPictureBox;

class QtPicture final : public Picture {
public:
    QtPicture(std::string source, QPixmap pixmap) : source_(std::move(source)), pixmap_(std::move(pixmap)) {}
    int WidthPixels() const override { return pixmap_.width(); }
    int HeightPixels() const override { return pixmap_.height(); }
    const std::string& Source() const override { return source_; }
    const QPixmap& Pixmap() const { return pixmap_; }

private:
    std::string source_;
    QPixmap pixmap_;
};

class QtWindowFactory final : public WindowFactory {
public:
    // display may be null; trace must outlive this object.
    QtWindowFactory(TraceFile& trace, X11Display* display);

    std::unique_ptr<Window> CreateWindow(const std::string& name, const std::string& caption,
                                         WindowKind kind) override;
    PicturePtr LoadPictureFile(const std::string& path) override;
    PicturePtr LoadPictureResource(const std::string& name) override;
    void ReleaseCapture() override;
    void RunModal(Window& dialog, Window& owner) override;

    // Called once when the bar window closes: the program's loop ends.
    void SetMainWindowClosedHandler(std::function<void()> handler) { onMainWindowClosed_ = std::move(handler); }
    void MainWindowClosed();

    QtWindow* FindWindow(std::uintptr_t handle) const;
    void Add(QtWindow* window) { windows_.push_back(window); }
    void Remove(QtWindow* window);
    std::uintptr_t ActiveWindow() const;

    QtPictureBox* Capture() const { return capture_; }
    void SetCapture(QtPictureBox* box) { capture_ = box; }
    void Forget(QtPictureBox* box);

    TraceFile& Trace() { return trace_; }
    X11Display* Display() { return display_; }
    X11Hotkeys& Hotkeys() { return hotkeys_; }

private:
    TraceFile& trace_;
    X11Display* display_;
    X11Hotkeys hotkeys_;
    std::vector<QtWindow*> windows_;
    QtPictureBox* capture_ = nullptr;
    std::function<void()> onMainWindowClosed_;
};

}  // namespace zindle
