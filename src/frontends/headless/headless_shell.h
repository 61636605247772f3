#pragma once
// The shell of the headless platform: it checks targets and programs against
// the real file system, reports what would have been started, and starts
// nothing.

#include <string>

#include "frontends/headless/output.h"
#include "platform/shell.h"

namespace zindle {

class HeadlessShell final : public Shell {
public:
    explicit HeadlessShell(OutputSink output);

    // Writes "open: TARGET" when the target exists or is an address; the
    // result codes are those the Windows shell would give.
    int OpenTarget(const std::string& target) override;
    // Writes "exec: COMMAND LINE" when the first token names an existing file
    // or a program on PATH; false, and nothing written, otherwise.
    bool RunProgram(const std::string& commandLine) override;
    // Writes "sound: PATH".
    void PlaySoundFile(const std::string& path) override;

private:
    OutputSink output_;
};

}  // namespace zindle
