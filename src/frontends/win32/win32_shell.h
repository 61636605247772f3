#pragma once
// Documents, programs and sounds handed to Windows.

#include "frontends/common/trace_file.h"
#include "platform/shell.h"

namespace zindle {

class Win32Shell : public Shell {
public:
    explicit Win32Shell(TraceFile& trace) : trace_(trace) {}
    int OpenTarget(const std::string& target) override;
    bool RunProgram(const std::string& commandLine) override;
    void PlaySoundFile(const std::string& path) override;

private:
    TraceFile& trace_;
};

}  // namespace zindle
