#include "frontends/headless/headless_shell.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/posix/launch_checks.h"
#include "platform/posix/windows_command_line.h"

namespace zindle {

HeadlessShell::HeadlessShell(OutputSink output) : output_(std::move(output)) {}

int HeadlessShell::OpenTarget(const std::string& target) {
    const int result = ClassifyOpenTarget(target);
    if (result > 32) {
        output_(OpenEventLine(target));
    }
    return result;
}

bool HeadlessShell::RunProgram(const std::string& commandLine) {
    const auto tokens = SplitWindowsCommandLine(commandLine);
    if (tokens.empty() || tokens.front().empty()) {
        return false;
    }
    const std::string& program = tokens.front();
    std::error_code error;
    const bool found =
        (program.find('\0') == std::string::npos && std::filesystem::is_regular_file(program, error)) ||
        FindProgram(program).has_value();
    if (!found) {
        return false;
    }
    output_(ExecEventLine(commandLine));
    return true;
}

void HeadlessShell::PlaySoundFile(const std::string& path) { output_(SoundEventLine(path)); }

}  // namespace zindle
