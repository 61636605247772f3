#pragma once
// The whole headless platform in one object: virtual time, the INI engine
// and the fakes, handed to the core as a zindle::Platform.

#include <string>

#include "frontends/headless/headless_controls.h"
#include "frontends/headless/headless_dialogs.h"
#include "frontends/headless/headless_shell.h"
#include "frontends/headless/headless_storage.h"
#include "frontends/headless/headless_system.h"
#include "frontends/headless/headless_window_manager.h"
#include "frontends/headless/output.h"
#include "frontends/headless/virtual_time.h"
#include "platform/platform.h"
#include "profile/private_profile_engine.h"

namespace zindle {

struct HeadlessOptions {
    std::string programDirectory;
    std::string commandLine;
    bool anotherInstanceRunning = false;
    DateTime start = kDefaultStartTime;
    // Where registry values and pictures are kept: the disk when null.
    HeadlessStorage* storage = nullptr;
};

class HeadlessPlatform {
public:
    // Every line of output goes to output.
    HeadlessPlatform(const HeadlessOptions& options, OutputSink output);
    HeadlessPlatform(const HeadlessPlatform&) = delete;
    HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

    // References to the members below; valid while this object lives.
    Platform Bundle();

    // Declared first: the system and the windows refer to them.
    VirtualTime time;
    DiskStorage disk;
    PrivateProfileEngine profiles;
    HeadlessShell shell;
    HeadlessDialogs dialogs;
    HeadlessSystem system;
    HeadlessWindowFactory windows;
    HeadlessWindowManager windowManager;
};

}  // namespace zindle
