#pragma once
// A box or dialog the bar opens gives the keyboard back to the bar when it
// closes, as Windows gives it back to a modal dialog's owner: the window
// manager never focuses a dock by itself. A dialog gets it back from the
// window manager, as the box's transient parent, and is left to it: a box
// that asks whether to close a dialog must not pull the focus to a window
// on its way out.

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace zindle {

class FocusReturn {
public:
    FocusReturn() : window_(QApplication::activeWindow()), focus_(QApplication::focusWidget()) {
        if (window_ && window_->windowType() != Qt::Window) window_ = nullptr;
    }
    // Once the closing has run its course, unless Return came first.
    ~FocusReturn() {
        if (!window_) return;
        QTimer::singleShot(0, window_.data(), [window = window_, focus = focus_] { Activate(window, focus); });
    }
    // At once, before the closing window is hidden: the window manager then
    // has no focus to fall back from, which it might do after our request.
    void Return() { Activate(std::exchange(window_, nullptr), focus_); }
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

private:
    static void Activate(const QPointer<QWidget>& window, const QPointer<QWidget>& focus) {
        if (!window || !window->isVisible()) return;
        window->raise();
        window->activateWindow();
        if (focus && focus->window() == window) focus->setFocus(Qt::ActiveWindowFocusReason);
    }

    QPointer<QWidget> window_;
    QPointer<QWidget> focus_;
};

}  // namespace zindle
