#include "frontends/win32/win32_switches.h"

#include "frontends/win32/win32_api.h"
#include "frontends/win32/win32_system.h"

#include <algorithm>

namespace zindle {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValue[] = L"Zindle";
constexpr wchar_t kBarClass[] = L"ZindleWindow";

BOOL CALLBACK FindBar(HWND hwnd, LPARAM found) {
    wchar_t className[32] = {};
    GetClassNameW(hwnd, className, 32);
    if (std::wstring_view(className) != kBarClass || !GetPropW(hwnd, kBarWindowProperty)) return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

}  // namespace

bool ActivateRunningBar() {
    HWND bar = nullptr;
    EnumWindows(&FindBar, reinterpret_cast<LPARAM>(&bar));
    if (!bar) return false;
    // Windows lets the bar take the foreground only when the program the
    // user just started hands it on.
    DWORD process = 0;
    GetWindowThreadProcessId(bar, &process);
    AllowSetForegroundWindow(process);
    return PostMessageW(bar, RegisterWindowMessageW(kActivateMessageName), 0, 0) != FALSE;
}

bool SetAutostart(bool on) {
    if (!on) {
        const LSTATUS status = RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    const std::wstring command = L"\"" + ExePath() + L"\"";
    return RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, REG_SZ, command.c_str(),
                           static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

SwitchOutcome HandleSwitches(std::vector<std::string>& arguments) {
    if (!arguments.empty() && arguments[0] == "--autostart") {
        const bool valid = arguments.size() == 2 && (arguments[1] == "on" || arguments[1] == "off");
        if (!valid) {
            MessageBoxW(nullptr, L"Use: zindle.exe --autostart on|off", L"Zindle", MB_OK | MB_ICONEXCLAMATION);
            return {true, 2};
        }
        if (SetAutostart(arguments[1] == "on")) return {true, 0};
        MessageBoxW(nullptr, L"The sign-in entry could not be changed.", L"Zindle", MB_OK | MB_ICONEXCLAMATION);
        return {true, 1};
    }
    const auto activate = std::find(arguments.begin(), arguments.end(), "--activate");
    if (activate == arguments.end()) return {};
    arguments.erase(activate);
    if (ActivateRunningBar()) return {true, 0};
    return {};
}

}  // namespace zindle
