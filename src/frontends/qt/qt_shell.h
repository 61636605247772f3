#pragma once
// Opening targets with xdg-open, starting programs without a shell, and
// sounds through libcanberra. Each writes its event line to the trace file
// when it happens.

#include <string>

#include "frontends/common/trace_file.h"
#include "platform/shell.h"

struct ca_context;

namespace zindle {

class QtShell final : public Shell {
public:
    explicit QtShell(TraceFile& trace) : trace_(trace) {}
    ~QtShell() override;
    QtShell(const QtShell&) = delete;
    QtShell& operator=(const QtShell&) = delete;

    // The codes the Windows shell gives, found on the file system first; 31
    // (no association) when xdg-open cannot be started.
    int OpenTarget(const std::string& target) override;
    bool RunProgram(const std::string& commandLine) override;
    void PlaySoundFile(const std::string& path) override;

private:
    TraceFile& trace_;
    ca_context* sound_ = nullptr;
    bool soundFailed_ = false;
};

// Starts argv[0] (looked up on PATH) with argv, without a shell and without
// waiting; the child keeps none of our open files. False when it could not start.
bool SpawnDetached(const std::vector<std::string>& argv);

}  // namespace zindle
