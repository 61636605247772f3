#include "frontends/headless/headless_dialogs.h"

#include <utility>

namespace zindle {

namespace {

bool Fits(MessageAnswer answer, MessageButtons buttons) {
    if (buttons == MessageButtons::YesNo) {
        return answer == MessageAnswer::Yes || answer == MessageAnswer::No;
    }
    return answer == MessageAnswer::Ok;
}

}  // namespace

HeadlessDialogs::HeadlessDialogs(OutputSink output) : output_(std::move(output)) {}

MessageAnswer HeadlessDialogs::MessageBox(const std::string& text, const std::string& title, MessageIcon icon,
                                          MessageButtons buttons, NativeWindow*) {
    output_(MessageBoxEventLine(title, text, icon, buttons));
    const MessageAnswer first = buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    if (answers_.empty()) {
        return first;
    }
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return Fits(answer, buttons) ? answer : first;
}

void HeadlessDialogs::QueueAnswer(MessageAnswer answer) { answers_.push_back(answer); }

}  // namespace zindle
