#include "frontends/win32/win32_shell.h"

#include "frontends/win32/win32_api.h"
#include <mmsystem.h>
#include <shellapi.h>

#include "frontends/common/event_lines.h"
#include "frontends/win32/wide_text.h"

namespace zindle {

int Win32Shell::OpenTarget(const std::string& target) {
    // A NUL would cut the target short: Windows would open something else.
    if (target.empty() || target.find('\0') != std::string::npos) return ERROR_FILE_NOT_FOUND;
    const HINSTANCE result = ShellExecuteW(nullptr, nullptr, Widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    const int code = static_cast<int>(reinterpret_cast<INT_PTR>(result));
    if (code > 32) trace_.Write(OpenEventLine(target));
    return code;
}

bool Win32Shell::RunProgram(const std::string& commandLine) {
    if (commandLine.find('\0') != std::string::npos) return false;
    // CreateProcessW may write into the command line: it gets its own copy.
    std::wstring line = Widen(commandLine);
    if (line.find_first_not_of(L" \t") == std::wstring::npos) return false;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    trace_.Write(ExecEventLine(commandLine));
    return true;
}

void Win32Shell::PlaySoundFile(const std::string& path) {
    trace_.Write(SoundEventLine(path));
    if (path.find('\0') != std::string::npos) return;
    PlaySoundW(Widen(path).c_str(), nullptr, SND_ASYNC | SND_NODEFAULT | SND_FILENAME);
}

}  // namespace zindle
