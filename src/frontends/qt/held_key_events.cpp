#include "frontends/qt/held_key_events.h"

#include <QCoreApplication>
#include <QEvent>

namespace zindle {

HeldKeyEvents::HeldKeyEvents(QWidget* widget) : QObject(widget), widget_(widget) {
    widget->installEventFilter(this);
}

void HeldKeyEvents::SetHeld(bool held) {
    held_.SetHeld(held, [this](const std::unique_ptr<QEvent>& event) {
        if (widget_) QCoreApplication::sendEvent(widget_, event.get());
    });
}

bool HeldKeyEvents::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool typing = type == QEvent::KeyPress || type == QEvent::KeyRelease || type == QEvent::InputMethod;
    if (watched != widget_ || !typing || !held_.MustWait()) return false;
    // The event object belongs to whoever sent it; a copy waits.
    held_.Keep(std::unique_ptr<QEvent>(event->clone()));
    return true;
}

}  // namespace zindle
