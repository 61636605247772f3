#include "frontends/win32/win32_session_end.h"

#include <shellapi.h>

#include <atomic>

namespace zindle {
namespace {

// The one instance, for the window procedure and the exception filter,
// which have no other way to reach it.
Win32SessionEnd* gInstance = nullptr;
std::atomic<HWND> gBarWindow{nullptr};

}  // namespace

Win32SessionEnd::Win32SessionEnd(std::function<void()> save, std::function<void()> end,
                                 const std::wstring& arguments)
    : save_(std::move(save)), end_(std::move(end)) {
    gInstance = this;
    previousFilter_ = SetUnhandledExceptionFilter(&Win32SessionEnd::OnCrash);
    // Only for a restart Windows asks for (an update), never after a crash
    // or a hang: a bar that crashes at start would otherwise come back for ever.
    RegisterApplicationRestart(arguments.empty() ? nullptr : arguments.c_str(), RESTART_NO_CRASH | RESTART_NO_HANG);
}

Win32SessionEnd::~Win32SessionEnd() {
    SetUnhandledExceptionFilter(previousFilter_);
    gBarWindow = nullptr;
    gInstance = nullptr;
}

void Win32SessionEnd::SetBarWindow(HWND bar) { gBarWindow = bar; }

LRESULT Win32SessionEnd::Message(UINT message, WPARAM wParam) {
    if (message == WM_QUERYENDSESSION) {
        if (gInstance && gInstance->save_) gInstance->save_();
        return TRUE;
    }
    if (wParam && gInstance && gInstance->end_) gInstance->end_();
    return 0;
}

LONG WINAPI Win32SessionEnd::OnCrash(EXCEPTION_POINTERS* exception) {
    if (const HWND bar = gBarWindow.exchange(nullptr)) {
        APPBARDATA data{};
        data.cbSize = sizeof data;
        data.hWnd = bar;
        SHAppBarMessage(ABM_REMOVE, &data);
    }
    const LPTOP_LEVEL_EXCEPTION_FILTER previous = gInstance ? gInstance->previousFilter_ : nullptr;
    return previous ? previous(exception) : EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace zindle
