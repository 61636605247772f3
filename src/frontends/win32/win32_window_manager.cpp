#include "frontends/win32/win32_window_manager.h"

#include <shellapi.h>

#include "frontends/win32/wide_text.h"

namespace zindle {

std::intptr_t Win32WindowManager::SHAppBarMessage(unsigned message, AppBarData& data) {
    APPBARDATA native{};
    native.cbSize = sizeof native;
    native.hWnd = reinterpret_cast<HWND>(data.window);
    native.uCallbackMessage = data.callbackMessage;
    native.uEdge = data.edge;
    native.rc = scale_.ToDevice(data.rect);
    native.lParam = data.lParam;
    const UINT_PTR result = ::SHAppBarMessage(message, &native);
    data.rect = scale_.ToLogical(native.rc);
    if (message == kAbmSetPos) strip_ = data.rect;
    if (message == kAbmRemove) strip_.reset();
    return static_cast<std::intptr_t>(result);
}

int Win32WindowManager::GetSystemMetrics(int index) {
    // The screen's size is in device pixels at any DPI; the rest has a
    // 96-DPI value of its own.
    if (index == kSmCxScreen || index == kSmCyScreen) return scale_.ToLogical(::GetSystemMetrics(index));
    return GetSystemMetricsForDpi(index, 96);
}

RectPx Win32WindowManager::WorkArea() {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return scale_.ToLogical(area);
}

std::vector<Monitor> Win32WindowManager::Monitors() {
    struct Collected {
        const ScreenScale& scale;
        std::vector<Monitor> monitors;
    } collected{scale_, {}};
    const auto add = [](HMONITOR handle, HDC, LPRECT, LPARAM data) -> BOOL {
        auto& into = *reinterpret_cast<Collected*>(data);
        MONITORINFOEXW info{};
        info.cbSize = sizeof info;
        if (GetMonitorInfoW(handle, &info)) {
            const bool primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
            into.monitors.push_back(Monitor{Narrow(info.szDevice), into.scale.ToLogical(info.rcMonitor),
                                            into.scale.ToLogical(info.rcWork), primary});
        }
        return TRUE;
    };
    EnumDisplayMonitors(nullptr, nullptr, add, reinterpret_cast<LPARAM>(&collected));
    return std::move(collected.monitors);
}

bool Win32WindowManager::DragFullWindows() {
    BOOL full = FALSE;
    SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
    return full != FALSE;
}

PointPx Win32WindowManager::GetMessagePos() {
    const DWORD position = ::GetMessagePos();
    return {scale_.ToLogical(static_cast<short>(LOWORD(position))), scale_.ToLogical(static_cast<short>(HIWORD(position)))};
}

bool Win32WindowManager::IsKeyDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

std::uintptr_t Win32WindowManager::GetActiveWindow() { return reinterpret_cast<std::uintptr_t>(::GetActiveWindow()); }

}  // namespace zindle
