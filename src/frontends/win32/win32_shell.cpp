#include "frontends/win32/win32_shell.h"

#include "frontends/win32/win32_api.h"
#include <mmsystem.h>
#include <shellapi.h>

#include "frontends/common/event_lines.h"
#include "frontends/win32/wide_text.h"
#include "platform/posix/windows_command_line.h"

namespace zindle {
namespace {

// Not in mingw-w64's headers.
constexpr DWORD kErrorElevationRequired = 740;

// CreateProcessW finds neither programs registered under App Paths (as
// "excel" or "chrome.exe" are) nor starts those that need elevation; the
// shell does both, with the consent prompt. Only for those failures: a line
// that names a file that is no program still fails.
bool StartThroughShell(DWORD createError, const std::string& commandLine) {
    if (createError != ERROR_FILE_NOT_FOUND && createError != ERROR_PATH_NOT_FOUND &&
        createError != kErrorElevationRequired) {
        return false;
    }
    const ProgramAndParameters split = SplitProgramName(commandLine);
    const std::wstring program = Widen(split.program);
    const std::wstring parameters = Widen(split.parameters);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // The bar reports the failure itself; no message box of the shell's.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpFile = program.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) != FALSE;
}

}  // namespace

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
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else if (!StartThroughShell(GetLastError(), commandLine)) {
        return false;
    }
    trace_.Write(ExecEventLine(commandLine));
    return true;
}

void Win32Shell::PlaySoundFile(const std::string& path) {
    trace_.Write(SoundEventLine(path));
    if (path.find('\0') != std::string::npos) return;
    PlaySoundW(Widen(path).c_str(), nullptr, SND_ASYNC | SND_NODEFAULT | SND_FILENAME);
}

}  // namespace zindle
