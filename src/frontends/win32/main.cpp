// zindle.exe: the bar on the Win32 API. Everything it does is the core's;
// this turns the system's messages into the core's events and back.
//   zindle.exe [--trace FILE] [--activate] [ARGUMENTS...]
//   zindle.exe --autostart on|off

#include "frontends/win32/win32_api.h"
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "appbar/appbar.h"
#include "frontends/common/bar_trace.h"
#include "frontends/win32/wide_text.h"
#include "frontends/win32/win32_dialogs.h"
#include "frontends/win32/win32_shell.h"
#include "frontends/win32/win32_switches.h"
#include "frontends/win32/win32_session_end.h"
#include "frontends/win32/win32_system.h"
#include "frontends/win32/win32_window.h"
#include "frontends/win32/win32_window_factory.h"
#include "frontends/win32/win32_window_manager.h"
#include "platform/platform.h"
#include "profile/private_profile_engine.h"
#include "startup/program.h"

namespace {

using namespace zindle;

// The command line after the program's name, exactly as given.
std::wstring ArgumentsText() {
    const wchar_t* line = GetCommandLineW();
    if (*line == L'"') {
        ++line;
        while (*line && *line != L'"') ++line;
        if (*line) ++line;
    } else {
        while (*line && *line != L' ' && *line != L'\t') ++line;
    }
    while (*line == L' ' || *line == L'\t') ++line;
    return line;
}

std::vector<std::string> Arguments() {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(Narrow(words[i]));
    LocalFree(words);
    return arguments;
}

// Quoted again where needed, for a command line from which the trace option
// was taken.
std::string JoinArguments(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty()) line += ' ';
        const bool quote = argument.empty() || argument.find_first_of(" \t") != std::string::npos;
        line += quote ? "\"" + argument + "\"" : argument;
    }
    return line;
}

struct Win32Platform {
    Win32Platform(TraceFile& trace, std::string commandLine)
        : shell(trace), dialogs(trace), system(std::move(commandLine)), windows(trace, scale), windowManager(scale) {}

    Platform Bundle() { return Platform{profiles, shell, dialogs, system, windows, windowManager}; }

    ScreenScale scale{static_cast<int>(GetDpiForSystem())};
    PrivateProfileEngine profiles;
    Win32Shell shell;
    Win32Dialogs dialogs;
    Win32System system;
    Win32WindowFactory windows;
    Win32WindowManager windowManager;
};

int RunMessageLoop(BarTrace& barTrace) {
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        TranslateMessage(&message);
        DispatchMessageW(&message);
        barTrace.Report();
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const bool comReady = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));

    std::vector<std::string> arguments = Arguments();
    const std::size_t given = arguments.size();
    TraceFile trace(arguments);
    if (const SwitchOutcome outcome = HandleSwitches(arguments); outcome.handled) {
        trace.Write(kExitEventLine);
        if (comReady) CoUninitialize();
        return outcome.exitCode;
    }
    const std::string commandLine = arguments.size() == given ? Narrow(ArgumentsText()) : JoinArguments(arguments);

    int result = 0;
    {
        Win32Platform win32(trace, commandLine);
        Platform platform = win32.Bundle();
        Program program(platform);
        win32.windows.SetTaskbarCreatedHandler([&] {
            if (AppBar* appBar = program.appBar()) appBar->ShellRestarted();
        });
        BarTrace barTrace(trace, program, BarTraceSources{
            [&] { return win32.windowManager.Strip(); },
            [&]() -> std::vector<HotkeyRegistration> {
                Form1* bar = program.bar();
                auto* window = bar ? dynamic_cast<Win32Window*>(&bar->window().Native()) : nullptr;
                return window ? window->Hotkeys() : std::vector<HotkeyRegistration>{};
            }});
        if (program.StartupMain()) {
            Win32SessionEnd sessionEnd(
                [&program] {
                    if (Form1* bar = program.bar(); bar && !bar->Unloaded()) bar->SaveChanges();
                },
                [&program] {
                    if (Form1* bar = program.bar(); bar && !bar->Unloaded()) bar->Unload();
                },
                ArgumentsText());
            if (Form1* bar = program.bar()) {
                sessionEnd.SetBarWindow(reinterpret_cast<HWND>(bar->window().Native().Handle()));
            }
            barTrace.Attach();
            barTrace.Report();
            result = RunMessageLoop(barTrace);
            barTrace.Report();
        }
    }
    trace.Write(kExitEventLine);
    if (comReady) CoUninitialize();
    return result;
}
