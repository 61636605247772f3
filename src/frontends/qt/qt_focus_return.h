#pragma once
// A box or dialog the bar opens gives the keyboard back when it closes, as
// Windows gives it back to a modal dialog's owner: the window manager would
// leave it nowhere, since the bar is a dock it never focuses by itself.

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace zindle {

class FocusReturn {
public:
    FocusReturn() : window_(QApplication::activeWindow()), focus_(QApplication::focusWidget()) {}
    ~FocusReturn() {
        if (!window_ || !window_->isVisible()) return;
        window_->raise();
        window_->activateWindow();
        if (focus_ && focus_->window() == window_) focus_->setFocus(Qt::ActiveWindowFocusReason);
    }
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

private:
    QPointer<QWidget> window_;
    QPointer<QWidget> focus_;
};

}  // namespace zindle
