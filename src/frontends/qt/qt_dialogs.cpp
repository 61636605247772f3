#include "frontends/qt/qt_dialogs.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include "frontends/common/event_lines.h"
#include "frontends/qt/qt_focus_return.h"
#include "frontends/qt/qt_window.h"
#include "frontends/qt/qt_window_factory.h"

namespace zindle {

namespace {

QMessageBox::Icon QtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Exclamation: return QMessageBox::Warning;
        case MessageIcon::Critical: return QMessageBox::Critical;
        case MessageIcon::Question: return QMessageBox::Question;
        case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// A message box sizes itself to its text, and a short text under a long
// title ("Zindle Script Message") gets its title cut by the window manager:
// reserve room for the title and the frame's buttons.
void KeepTitleReadable(QMessageBox& box) {
    auto* layout = qobject_cast<QGridLayout*>(box.layout());
    if (!layout) return;
    constexpr int kFrameButtonsWidth = 110;
    const int width = box.fontMetrics().horizontalAdvance(box.windowTitle()) + kFrameButtonsWidth;
    layout->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), layout->rowCount(), 0,
                    1, layout->columnCount());
}

}  // namespace

MessageAnswer QtDialogs::MessageBox(const std::string& text, const std::string& title, MessageIcon icon,
                                    MessageButtons buttons, NativeWindow* owner) {
    trace_.Write(MessageBoxEventLine(title, text, icon, buttons));
    QWidget* parent = nullptr;
    if (owner) {
        if (QtWindow* window = windows_.FindWindow(owner->Handle()); window && window->Widget()->isVisible()) {
            parent = window->Widget();
        }
    }
    QString body = QString::fromStdString(text);
    body.replace("\r\n", "\n").replace('\r', '\n');
    const bool yesNo = buttons == MessageButtons::YesNo;
    QMessageBox box(QtIcon(icon), QString::fromStdString(title), body,
                    yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    KeepTitleReadable(box);
    FocusReturn focusReturn;
    // A button closes the box after saying so: the focus goes back first.
    QObject::connect(&box, &QMessageBox::buttonClicked, [&focusReturn] { focusReturn.Return(); });
    const int answer = box.exec();
    if (!yesNo) return MessageAnswer::Ok;
    return answer == QMessageBox::No ? MessageAnswer::No : MessageAnswer::Yes;
}

}  // namespace zindle
