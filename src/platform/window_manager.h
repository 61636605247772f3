#pragma once
// Window management and the shell's appbar protocol, with the Windows
// meaning of every message, flag and structure, so the Windows front end
// passes them straight through and the X11 front end maps them onto EWMH.
// Coordinates are screen pixels.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zindle {

// Laid out as RECT, POINT and MINMAXINFO, so that a pointer to the native
// structure can be handed over in a message's lParam unchanged.
struct RectPx {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const RectPx&) const = default;
};
struct PointPx {
    std::int32_t x = 0;
    std::int32_t y = 0;
};
struct MinMaxInfo {
    PointPx reserved;
    PointPx maxSize;
    PointPx maxPosition;
    PointPx minTrackSize;
    PointPx maxTrackSize;
};

// Window messages.
constexpr unsigned kWmActivate = 0x0006;
constexpr unsigned kWmSettingChange = 0x001A;
constexpr unsigned kWmGetMinMaxInfo = 0x0024;
constexpr unsigned kWmWindowPosChanged = 0x0047;
constexpr unsigned kWmDisplayChange = 0x007E;
constexpr unsigned kWmNcHitTest = 0x0084;
constexpr unsigned kWmNcMouseMove = 0x00A0;
constexpr unsigned kWmTimer = 0x0113;
constexpr unsigned kWmSizing = 0x0214;
constexpr unsigned kWmMoving = 0x0216;
constexpr unsigned kWmEnterSizeMove = 0x0231;
constexpr unsigned kWmExitSizeMove = 0x0232;
// The window's screen scale changed; the front end has applied it by the
// time the procedure it passes the message to returns.
constexpr unsigned kWmDpiChanged = 0x02E0;
constexpr unsigned kWmHotkey = 0x0312;
constexpr unsigned kWmUser = 0x0400;

// Appbar messages and notifications.
constexpr unsigned kAbmNew = 0;
constexpr unsigned kAbmRemove = 1;
constexpr unsigned kAbmQueryPos = 2;
constexpr unsigned kAbmSetPos = 3;
constexpr unsigned kAbmActivate = 6;
constexpr unsigned kAbmGetAutoHideBar = 7;
constexpr unsigned kAbmSetAutoHideBar = 8;
constexpr unsigned kAbmWindowPosChanged = 9;
constexpr unsigned kAbnStateChange = 0;
constexpr unsigned kAbnPosChanged = 1;
constexpr unsigned kAbnFullScreenApp = 2;
constexpr unsigned kAbnWindowArrange = 3;

// Window styles, SetWindowPos and ShowWindow values, system metrics.
constexpr int kGwlStyle = -16;
constexpr int kGwlExStyle = -20;
constexpr std::int32_t kWsCaptionAndSysMenu = 0x00C80000;
constexpr std::int32_t kWsExAppWindow = 0x00040000;
constexpr unsigned kSwpNoSize = 0x0001;
constexpr unsigned kSwpNoMove = 0x0002;
constexpr unsigned kSwpNoZOrder = 0x0004;
constexpr unsigned kSwpNoActivate = 0x0010;
constexpr unsigned kSwpFrameChanged = 0x0020;
constexpr std::uintptr_t kHwndTop = 0;
constexpr std::uintptr_t kHwndBottom = 1;
constexpr std::uintptr_t kHwndTopmost = static_cast<std::uintptr_t>(-1);
constexpr std::uintptr_t kHwndNoTopmost = static_cast<std::uintptr_t>(-2);
constexpr int kSwHide = 0;
constexpr int kSwShow = 5;
constexpr unsigned kScRestore = 0xF120;
constexpr unsigned kScMinimize = 0xF020;
constexpr unsigned kScMaximize = 0xF030;
constexpr int kSmCxScreen = 0;
constexpr int kSmCyScreen = 1;
constexpr int kSmCxVScroll = 2;
constexpr int kSmCyHScroll = 3;
constexpr int kSmCxBorder = 5;
constexpr int kSmCyBorder = 6;
constexpr int kSmCxDoubleClk = 36;
constexpr int kSmCyDoubleClk = 37;
constexpr int kVkControl = 0x11;
// WM_SETTINGCHANGE's wParam when the work area changed.
constexpr std::uintptr_t kSpiSetWorkArea = 0x002F;

// GetSystemMetrics for a system without it: the screen's size, and Windows's
// standard values for the other metrics the program asks for.
inline int StandardSystemMetric(int index, int screenWidth, int screenHeight) {
    switch (index) {
        case kSmCxScreen: return screenWidth;
        case kSmCyScreen: return screenHeight;
        case kSmCxVScroll:
        case kSmCyHScroll: return 17;
        case kSmCxBorder:
        case kSmCyBorder: return 1;
        case kSmCxDoubleClk:
        case kSmCyDoubleClk: return 4;
        default: return 0;
    }
}

// A window procedure: message, wParam, lParam in, the message's result out.
using WindowProc = std::function<std::intptr_t(unsigned message, std::uintptr_t wParam,
                                               std::intptr_t lParam)>;

// The window-management side of a top-level window.
class NativeWindow {
public:
    virtual ~NativeWindow() = default;
    virtual std::uintptr_t Handle() const = 0;
    // Replaces the window's procedure and returns exactly the procedure that
    // was installed before, the same object, never a wrapper around it: the
    // new procedure calls it to pass a message on, and a hook that removes
    // itself hands it back, so a front end that wraps procedures for its own
    // purposes must still return the original, or a hook removed out of order
    // leaves a dead link in the chain. Procedures are removed in the reverse
    // order of their installation. The bottom of the chain is the window's
    // own handling (the system's default procedure on Windows).
    virtual WindowProc SetWindowProc(WindowProc procedure) = 0;
    // Sends a message through the window's current procedure.
    virtual std::intptr_t SendMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // The window's caption.
    virtual std::string GetWindowText() const = 0;
    virtual RectPx GetWindowRect() const = 0;
    virtual RectPx GetClientRect() const = 0;
    virtual PointPx ClientToScreen(PointPx point) const = 0;
    virtual bool SetWindowPos(std::uintptr_t insertAfter, int x, int y, int width, int height,
                              unsigned flags) = 0;
    virtual void ShowWindow(int command) = 0;
    virtual void UpdateWindow() = 0;
    virtual std::int32_t GetWindowLong(int index) const = 0;
    virtual std::int32_t SetWindowLong(int index, std::int32_t value) = 0;
    virtual void DeleteSystemMenuItem(unsigned command) = 0;
    // A timer that arrives as WM_TIMER through the window's procedure.
    virtual void SetTimer(unsigned id, unsigned milliseconds) = 0;
    virtual void KillTimer(unsigned id) = 0;
    // Brings the window to the front and gives it the keyboard focus.
    virtual void Activate() = 0;

    // A system-wide hotkey owned by this window: Windows virtual-key codes and
    // MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8. While it is registered,
    // pressing it anywhere sends WM_HOTKEY with wParam = id through this
    // window's procedure chain. False when the key cannot be had: held by
    // another program, a key code outside 1 to 254, or an id in use on this
    // window. A window that is destroyed loses its hotkeys.
    virtual bool RegisterHotkey(int id, int keyCode, int modifiers) = 0;
    virtual void UnregisterHotkey(int id) = 0;
};

// Moving a window with the mouse. Where the system runs the move loop
// (Windows), it sends these messages itself. A front end whose window manager
// will not move the bar (an X11 dock) runs the loop on its own, sending
// through the window's procedure chain:
//  1. on a primary-button press where WM_NCHITTEST answers HTCAPTION (2),
//     WM_ENTERSIZEMOVE;
//  2. on every pointer move while the button is down, WM_MOVING with lParam
//     pointing to the proposed window rectangle: the rectangle at the press
//     moved by the cursor's offset from the press point (never the last
//     rectangle moved again). The rectangle the procedures leave in it is
//     where the window goes;
//  3. on release, WM_EXITSIZEMOVE.
constexpr std::intptr_t kHtCaption = 2;

struct AppBarData {
    std::uintptr_t window = 0;
    unsigned callbackMessage = 0;
    unsigned edge = 0;
    RectPx rect;
    std::intptr_t lParam = 0;
};

// One monitor of the desktop. Rectangles are in desktop coordinates, whose
// origin is the primary monitor's top-left corner on Windows (the virtual
// screen) and the root window's on X; a monitor left of or above the
// primary has negative coordinates on Windows.
struct Monitor {
    // The system's name: the RandR output or monitor name (HDMI-1), the
    // Windows display device (\\.\DISPLAY2).
    std::string name;
    RectPx bounds;
    // The part of the monitor that the shell's bars leave over.
    RectPx workArea;
    bool primary = false;
    bool operator==(const Monitor&) const = default;
};

// How far a point lies outside a rectangle, squared (0 inside): the nearest
// monitor to a point in a gap between monitors is the one with the least.
inline std::int64_t DistanceSquared(const RectPx& rect, PointPx point) {
    const auto gap = [](std::int64_t value, std::int64_t low, std::int64_t high) {
        return value < low ? low - value : value >= high ? value - high + 1 : 0;
    };
    const std::int64_t dx = gap(point.x, rect.left, rect.right);
    const std::int64_t dy = gap(point.y, rect.top, rect.bottom);
    return dx * dx + dy * dy;
}

class WindowManager {
public:
    virtual ~WindowManager() = default;
    virtual std::intptr_t SHAppBarMessage(unsigned message, AppBarData& data) = 0;
    virtual int GetSystemMetrics(int index) = 0;
    // The primary monitor's work area.
    virtual RectPx WorkArea() = 0;
    // The monitors connected now, in no particular order. A front end that
    // learns of a change (added, removed, moved, resized, made primary) sends
    // WM_DISPLAYCHANGE through a docked window's procedure chain, or the
    // shell's ABN_POSCHANGED, and the bar docks again where it belongs.
    virtual std::vector<Monitor> Monitors() = 0;
    // The system shows window contents while they are dragged.
    virtual bool DragFullWindows() = 0;
    // The cursor position when the message being handled was sent.
    virtual PointPx GetMessagePos() = 0;
    virtual bool IsKeyDown(int virtualKey) = 0;
    virtual std::uintptr_t GetActiveWindow() = 0;
    // Twips per pixel of the screen, horizontally and vertically.
    virtual int TwipsPerPixelX() = 0;
    virtual int TwipsPerPixelY() = 0;
};

}  // namespace zindle
