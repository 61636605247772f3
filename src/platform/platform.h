#pragma once
// Everything the core asks of the operating system, handed around as one
// bundle of references. Each front end owns the objects behind it.

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/profile_files.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "platform/window_manager.h"

namespace zindle {

struct Platform {
    ProfileFiles& profiles;
    Shell& shell;
    Dialogs& dialogs;
    System& system;
    WindowFactory& windows;
    WindowManager& windowManager;
};

}  // namespace zindle
