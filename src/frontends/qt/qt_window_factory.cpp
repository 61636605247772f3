#include "frontends/qt/qt_window_factory.h"

#include <QApplication>
#include <QImage>
#include <QWindow>
#include <QWidget>

#include <algorithm>

#include "frontends/qt/qt_controls.h"
#include "frontends/qt/qt_window.h"
#include "resources/resources.h"

namespace zindle {

QtWindowFactory::QtWindowFactory(TraceFile& trace, X11Display* display)
    : trace_(trace), display_(display), hotkeys_(display) {}

std::unique_ptr<Window> QtWindowFactory::CreateWindow(const std::string& name, const std::string& caption,
                                                      WindowKind kind) {
    return std::make_unique<QtWindow>(*this, name, caption, kind);
}

PicturePtr QtWindowFactory::LoadPictureFile(const std::string& path) {
    const QImage image(QString::fromStdString(path));
    if (image.isNull()) return nullptr;
    return std::make_shared<QtPicture>(path, QPixmap::fromImage(image));
}

PicturePtr QtWindowFactory::LoadPictureResource(const std::string& name) {
    const auto bytes = ResourceBytes(name);
    if (!bytes) return nullptr;
    const QImage image = QImage::fromData(bytes->data(), static_cast<int>(bytes->size()));
    if (image.isNull()) return nullptr;
    return std::make_shared<QtPicture>(name, QPixmap::fromImage(image));
}

void QtWindowFactory::ReleaseCapture() {
    capture_ = nullptr;
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
}

void QtWindowFactory::Forget(QtPictureBox* box) {
    if (capture_ == box) ReleaseCapture();
}

void QtWindowFactory::RunModal(Window& dialog, Window& owner) {
    auto* modal = dynamic_cast<QtWindow*>(&dialog);
    auto* parent = dynamic_cast<QtWindow*>(&owner);
    if (!modal || !modal->Widget()) return;
    if (parent && parent->Widget()) {
        modal->Widget()->winId();
        if (QWindow* window = modal->Widget()->windowHandle()) {
            parent->Widget()->winId();
            window->setTransientParent(parent->Widget()->windowHandle());
        }
    }
    modal->RunModalLoop();
}

void QtWindowFactory::MainWindowClosed() {
    if (const auto handler = std::exchange(onMainWindowClosed_, nullptr)) handler();
}

QtWindow* QtWindowFactory::FindWindow(std::uintptr_t handle) const {
    const auto found = std::find_if(windows_.begin(), windows_.end(),
                                    [handle](const QtWindow* window) { return window->Handle() == handle; });
    return found == windows_.end() ? nullptr : *found;
}

void QtWindowFactory::Remove(QtWindow* window) { std::erase(windows_, window); }

std::uintptr_t QtWindowFactory::ActiveWindow() const {
    const QWidget* active = QApplication::activeWindow();
    for (const QtWindow* window : windows_) {
        if (window->Widget() == active) return window->Handle();
    }
    return 0;
}

}  // namespace zindle
