#pragma once
// The headless front end's event loop: it reads one script line at a time,
// turns it into the event a user or the system would have caused, and
// prints what changed on the bar once the line is done.

#include <istream>
#include <string>

#include "platform/headless/headless_platform.h"
#include "platform/headless/output.h"

namespace zindle {

class Program;

class ScriptReader {
public:
    ScriptReader(HeadlessPlatform& platform, Program& program, OutputSink output);

    // Prints the status line when start-up left it changed.
    void AfterStartup();
    // Runs the script until it ends, "quit" is read or the bar is unloaded.
    // Returns the number of lines that could not be understood.
    int Run(std::istream& script);

private:
    // False when the line was not understood.
    bool Execute(const std::string& command, const std::string& argument);
    void ReportStatus();

    HeadlessPlatform& platform_;
    Program& program_;
    OutputSink output_;
    std::string lastStatus_ = ".";
};

}  // namespace zindle
