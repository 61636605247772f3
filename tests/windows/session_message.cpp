// Sends what Windows sends the program's windows at the end of a session,
// as a shutdown would, for the smoke run under Wine.
//   session_message DESKTOP query   WM_QUERYENDSESSION; prints each window's answer
//   session_message DESKTOP cancel  WM_ENDSESSION with FALSE: the shutdown was cancelled
//   session_message DESKTOP end     WM_ENDSESSION with TRUE: the session ends
// to the program's windows on the named desktop (Wine's explorer /desktop=NAME).

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

namespace {

BOOL CALLBACK Collect(HWND window, LPARAM found) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wcscmp(name, L"ZindleWindow") == 0) reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const bool query = std::strcmp(argv[2], "query") == 0;
    const bool end = std::strcmp(argv[2], "end") == 0;
    if (!query && !end && std::strcmp(argv[2], "cancel") != 0) return 2;
    const HDESK desktop = OpenDesktopA(argv[1], 0, FALSE, DESKTOP_READOBJECTS | DESKTOP_ENUMERATE);
    if (desktop == nullptr) {
        std::puts("no desktop");
        return 1;
    }
    std::vector<HWND> windows;
    EnumDesktopWindows(desktop, &Collect, reinterpret_cast<LPARAM>(&windows));
    CloseDesktop(desktop);
    if (windows.empty()) {
        std::puts("no window");
        return 1;
    }
    for (const HWND window : windows) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window, query ? WM_QUERYENDSESSION : WM_ENDSESSION, query ? 0 : end,
                            ENDSESSION_CLOSEAPP, SMTO_NORMAL, 20000, &answer);
        if (query) std::printf("answer %d\n", static_cast<int>(answer));
    }
    return 0;
}
