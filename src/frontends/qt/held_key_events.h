#pragma once
// Holds a widget's key and input-method events while the program runs a
// line, and sends them to the widget, in order, when the hold ends.

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>

#include "platform/held_input.h"

class QEvent;

namespace zindle {

class HeldKeyEvents final : public QObject {
public:
    // Filters widget's events from now on.
    explicit HeldKeyEvents(QWidget* widget);

    void SetHeld(bool held);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> widget_;
    HeldInput<std::unique_ptr<QEvent>> held_;
};

}  // namespace zindle
