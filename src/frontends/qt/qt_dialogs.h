#pragma once
// Message boxes as QMessageBox, modal for the whole program; the bar's
// timers keep running while one is up.

#include "frontends/common/trace_file.h"
#include "platform/dialogs.h"

namespace zindle {

class QtWindowFactory;

class QtDialogs final : public Dialogs {
public:
    QtDialogs(TraceFile& trace, QtWindowFactory& windows) : trace_(trace), windows_(windows) {}
    MessageAnswer MessageBox(const std::string& text, const std::string& title, MessageIcon icon,
                             MessageButtons buttons, NativeWindow* owner = nullptr) override;

private:
    TraceFile& trace_;
    QtWindowFactory& windows_;
};

}  // namespace zindle
