#pragma once
// Message boxes of the system, owned by a window when the core names one.

#include "frontends/common/trace_file.h"
#include "platform/dialogs.h"

namespace zindle {

class Win32Dialogs : public Dialogs {
public:
    explicit Win32Dialogs(TraceFile& trace) : trace_(trace) {}
    MessageAnswer MessageBox(const std::string& text, const std::string& title, MessageIcon icon,
                             MessageButtons buttons, NativeWindow* owner) override;

private:
    TraceFile& trace_;
};

}  // namespace zindle
