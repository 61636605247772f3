#pragma once
// Message boxes of the headless platform: each one is written out as a line
// and answered from a queue the script fills.

#include <deque>
#include <string>

#include "platform/dialogs.h"
#include "frontends/headless/output.h"

namespace zindle {

class HeadlessDialogs final : public Dialogs {
public:
    explicit HeadlessDialogs(OutputSink output);

    // Writes "msgbox: TITLE | TEXT | ICON | BUTTONS" (line breaks as "\n";
    // icon none, information, exclamation, critical or question; buttons ok or
    // yesno) and returns the oldest queued answer. With none queued, or when
    // the queued one is not among the box's buttons (it is used up all the
    // same), the first button answers. The owner changes nothing here.
    MessageAnswer MessageBox(const std::string& text, const std::string& title, MessageIcon icon,
                             MessageButtons buttons, NativeWindow* owner) override;

    void QueueAnswer(MessageAnswer answer);

private:
    OutputSink output_;
    std::deque<MessageAnswer> answers_;
};

}  // namespace zindle
