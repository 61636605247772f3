#pragma once
// The whole program on the headless platform, driven by a script, for the
// targets that fuzz what reaches it from outside.

#include <sstream>
#include <string>

#include "bar/form1.h"
#include "frontends/headless/headless_platform.h"
#include "frontends/headless/script_reader.h"
#include "startup/program.h"

namespace zindle::fuzz {

// Starts the program in programDir, feeds it the script line by line and
// unloads the bar at the end, as quitting would, so that it saves everything.
inline void RunProgramScript(const std::string& programDir, const std::string& script) {
    HeadlessOptions options;
    options.programDirectory = programDir;
    const auto ignore = [](const std::string&) {};
    HeadlessPlatform platform(options, ignore);
    Platform bundle = platform.Bundle();
    Program program(bundle);
    if (!program.StartupMain()) return;
    ScriptReader reader(platform, program, ignore);
    reader.AfterStartup();
    std::istringstream in(script);
    reader.Run(in);
    if (!program.Ended()) program.bar()->Unload();
}

}  // namespace zindle::fuzz
