#include "frontends/qt/qt_dialogs.h"

#include <QMessageBox>

#include "frontends/common/event_lines.h"
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
    const int answer = box.exec();
    if (!yesNo) return MessageAnswer::Ok;
    return answer == QMessageBox::No ? MessageAnswer::No : MessageAnswer::Yes;
}

}  // namespace zindle
