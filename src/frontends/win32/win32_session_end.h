#pragma once
// The end of a Windows session, and of the program by a crash.
//  - WM_QUERYENDSESSION only asks: everything is saved and the answer is yes,
//    but the bar stays, since the user or the Restart Manager may cancel.
//  - WM_ENDSESSION with TRUE ends the bar as its exit button does; with
//    FALSE (the shutdown was cancelled) it stays docked.
//  - The program registers for a restart, so that after an update's restart
//    the bar comes back.
//  - A crash gives the screen strip back: an unhandled-exception filter
//    removes the bar's appbar before the process goes.

#include "frontends/win32/win32_api.h"

#include <functional>
#include <string>

namespace zindle {

class Win32SessionEnd {
public:
    // save writes what is not saved yet; end unloads the bar. The restart
    // runs the program again with arguments.
    Win32SessionEnd(std::function<void()> save, std::function<void()> end, const std::wstring& arguments);
    // Puts the previous exception filter back.
    ~Win32SessionEnd();
    Win32SessionEnd(const Win32SessionEnd&) = delete;
    Win32SessionEnd& operator=(const Win32SessionEnd&) = delete;

    // The window whose strip a crash removes.
    void SetBarWindow(HWND bar);

    // The bar window's answer to WM_QUERYENDSESSION or WM_ENDSESSION.
    static LRESULT Message(UINT message, WPARAM wParam);

private:
    static LONG WINAPI OnCrash(EXCEPTION_POINTERS* exception);

    std::function<void()> save_;
    std::function<void()> end_;
    LPTOP_LEVEL_EXCEPTION_FILTER previousFilter_ = nullptr;
};

}  // namespace zindle
