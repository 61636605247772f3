#include "frontends/headless/headless_platform.h"

namespace zindle {

HeadlessPlatform::HeadlessPlatform(const HeadlessOptions& options, OutputSink output)
    : time(options.start),
      shell(output),
      dialogs(output),
      system(time, options.storage ? *options.storage : disk, options.programDirectory, options.commandLine,
             options.anotherInstanceRunning),
      windows(time, options.storage ? *options.storage : disk),
      windowManager(windows) {}

Platform HeadlessPlatform::Bundle() { return Platform{profiles, shell, dialogs, system, windows, windowManager}; }

}  // namespace zindle
