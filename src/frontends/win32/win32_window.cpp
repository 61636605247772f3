#include "frontends/win32/win32_window.h"

#include <windowsx.h>

#include <algorithm>

#include "frontends/win32/child_controls.h"
#include "frontends/win32/painted_controls.h"
#include "frontends/win32/wide_text.h"
#include "frontends/win32/win32_pictures.h"
#include "frontends/win32/win32_switches.h"
#include "frontends/win32/win32_session_end.h"
#include "frontends/win32/win32_timer.h"

namespace zindle {
namespace {

constexpr wchar_t kClassName[] = L"ZindleWindow";
constexpr int kIconResource = 1;

void RegisterWindowClass(WNDPROC procedure) {
    static const bool registered = [&] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(kIconResource));
        windowClass.hIconSm = windowClass.hIcon;
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        windowClass.lpszClassName = kClassName;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

struct Styles {
    DWORD style;
    DWORD exStyle;
};

Styles StylesOf(WindowKind kind) {
    switch (kind) {
        case WindowKind::Bar:
            // A fixed tool-window frame without minimise or maximise; the
            // docking code takes the caption away while the bar is docked.
            return {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW};
        case WindowKind::Splash:
            return {WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW | WS_EX_TOPMOST};
        case WindowKind::Dialog:
            break;
    }
    return {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_DLGMODALFRAME};
}

int ButtonOf(UINT message) {
    switch (message) {
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: return kRightButton;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP: return kMiddleButton;
        default: return kLeftButton;
    }
}

int HeldButtons(WPARAM wParam) {
    return ((wParam & MK_LBUTTON) ? kLeftButton : 0) | ((wParam & MK_RBUTTON) ? kRightButton : 0) |
           ((wParam & MK_MBUTTON) ? kMiddleButton : 0);
}

int MouseShift(WPARAM wParam) {
    return ((wParam & MK_SHIFT) ? kShiftMask : 0) | ((wParam & MK_CONTROL) ? kCtrlMask : 0) |
           ((GetKeyState(VK_MENU) & 0x8000) ? kAltMask : 0);
}

PointPx ToLogical(const ScreenScale& scale, POINT p) { return {scale.ToLogical(p.x), scale.ToLogical(p.y)}; }
POINT ToDevice(const ScreenScale& scale, PointPx p) { return {scale.ToDevice(p.x), scale.ToDevice(p.y)}; }

}  // namespace

UINT SystemHotkeyModifiers(int modifiers) {
    // A held key would otherwise fire the hotkey at the keyboard's repeat
    // rate, running its command again and again while the first still runs.
    return static_cast<UINT>(modifiers) | MOD_NOREPEAT;
}

Win32Window::Win32Window(TraceFile& trace, ScreenScale& scale, const std::string& name, const std::string& caption,
                         WindowKind kind, std::function<void()> onTaskbarCreated)
    : state_(std::make_shared<WindowState>(trace, name, kind)),
      scale_(scale),
      procedure_([this](unsigned m, std::uintptr_t w, std::intptr_t l) { return OwnHandling(m, w, l); }),
      onTaskbarCreated_(std::move(onTaskbarCreated)) {
    RegisterWindowClass(&Win32Window::WindowProcedure);
    const Styles styles = StylesOf(kind);
    const int width = kind == WindowKind::Bar ? GetSystemMetrics(SM_CXSCREEN) : 320;
    const int height = kind == WindowKind::Bar ? scale.ToDevice(21) : 240;
    CreateWindowExW(styles.exStyle, kClassName, Widen(caption).c_str(), styles.style, 0, 0, width, height, nullptr,
                    nullptr, GetModuleHandleW(nullptr), this);
    if (state_->hwnd) state_->dpi = static_cast<int>(GetDpiForWindow(state_->hwnd));
    // The core measures in the bar's own DPI, the one its controls and fonts
    // use, not the system's, which keeps the value of the sign-in.
    if (kind == WindowKind::Bar) scale_.dpi = state_->dpi;
    if (kind == WindowKind::Bar && state_->hwnd) {
        taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
        activate_ = RegisterWindowMessageW(kActivateMessageName);
        SetPropW(state_->hwnd, kBarWindowProperty, reinterpret_cast<HANDLE>(1));
        // An elevated bar would not hear them from Explorer or from the
        // program the user starts, which are not.
        ChangeWindowMessageFilterEx(state_->hwnd, taskbarCreated_, MSGFLT_ALLOW, nullptr);
        ChangeWindowMessageFilterEx(state_->hwnd, activate_, MSGFLT_ALLOW, nullptr);
    }
}

Win32Window::~Win32Window() {
    // From here on the core's procedures, which may already be gone, no
    // longer see this window's messages.
    if (const HWND hwnd = state_->hwnd) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        state_->hwnd = nullptr;
        DestroyWindow(hwnd);
    }
}

LRESULT CALLBACK Win32Window::WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* window = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->state_->hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!window) return DefWindowProcW(hwnd, message, wParam, lParam);
    return window->Dispatch(message, wParam, lParam);
}

LRESULT Win32Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    // Rectangles and points in the message go to the chain in the core's
    // 96-DPI pixels and come back in device pixels.
    switch (message) {
        case WM_MOVING:
        case WM_SIZING: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            RectPx logical = scale_.ToLogical(*rect);
            const LRESULT result = SendMessage(message, wParam, reinterpret_cast<std::intptr_t>(&logical));
            *rect = scale_.ToDevice(logical);
            return result;
        }
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            MinMaxInfo logical{ToLogical(scale_, info->ptReserved), ToLogical(scale_, info->ptMaxSize),
                               ToLogical(scale_, info->ptMaxPosition), ToLogical(scale_, info->ptMinTrackSize),
                               ToLogical(scale_, info->ptMaxTrackSize)};
            const LRESULT result = SendMessage(message, wParam, reinterpret_cast<std::intptr_t>(&logical));
            *info = MINMAXINFO{ToDevice(scale_, logical.reserved), ToDevice(scale_, logical.maxSize),
                               ToDevice(scale_, logical.maxPosition), ToDevice(scale_, logical.minTrackSize),
                               ToDevice(scale_, logical.maxTrackSize)};
            return result;
        }
        case WM_NCHITTEST: {
            const PointPx point = ToLogical(scale_, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return SendMessage(message, wParam, MAKELPARAM(point.x, point.y));
        }
        default:
            return SendMessage(message, wParam, lParam);
    }
}

std::intptr_t Win32Window::OwnHandling(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    const HWND hwnd = state_->hwnd;
    if (!hwnd) return 0;
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        if (onTaskbarCreated_) onTaskbarCreated_();
        return 0;
    }
    if (message == activate_ && activate_ != 0) {
        Activate();
        return 0;
    }
    switch (message) {
        case WM_NCHITTEST: {
            // Back in device pixels for the system's own hit test.
            const POINT point = ToDevice(scale_, PointPx{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return DefWindowProcW(hwnd, message, wParam, MAKELPARAM(point.x, point.y));
        }
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers everything
        case WM_SIZE:
            InvalidateRect(hwnd, nullptr, FALSE);
            if (const auto resize = events_.resize) resize();
            return 0;
        case WM_COMMAND:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            const auto child = std::find_if(state_->children.begin(), state_->children.end(), [&](ChildControl* c) {
                return c->ChildWindow() == reinterpret_cast<HWND>(lParam);
            });
            if (child == state_->children.end()) break;
            if (message == WM_COMMAND) {
                (*child)->Command(HIWORD(wParam));
                return 0;
            }
            if (const HBRUSH brush = (*child)->Colours(reinterpret_cast<HDC>(wParam))) {
                return reinterpret_cast<LRESULT>(brush);
            }
            break;
        }
        case WM_CLOSE: {
            // The handler may unload the window, even destroy this object.
            const auto state = state_;
            bool cancel = false;
            if (const auto queryUnload = events_.queryUnload) queryUnload(cancel, CloseReason::User);
            if (!cancel && state->hwnd) DestroyWindow(state->hwnd);
            return 0;
        }
        case WM_QUERYENDSESSION:
        case WM_ENDSESSION:
            // The bar answers for the program; its end closes the other windows.
            if (state_->kind == WindowKind::Bar) return Win32SessionEnd::Message(message, wParam);
            return message == WM_QUERYENDSESSION;
        case WM_SETFOCUS:
            if (state_->focus) ::SetFocus(state_->focus);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_MOUSEMOVE:
            Mouse(message, wParam, lParam);
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd) {
                state_->capture = nullptr;
                state_->pressed = nullptr;
            }
            return 0;
        case WM_DPICHANGED:
            ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DESTROY:
            hotkeys_.clear();  // the system drops them with the window
            if (state_->kind == WindowKind::Bar) PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            RemovePropW(hwnd, kBarWindowProperty);
            state_->hwnd = nullptr;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            return DefWindowProcW(hwnd, message, wParam, lParam);
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Win32Window::Paint() {
    const HWND hwnd = state_->hwnd;
    PAINTSTRUCT paint{};
    const HDC target = BeginPaint(hwnd, &paint);
    RECT client{};
    ::GetClientRect(hwnd, &client);
    // Drawn off screen, then copied at once: no flicker.
    const HDC dc = CreateCompatibleDC(target);
    const HBITMAP bitmap = CreateCompatibleBitmap(target, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
    const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    const HBRUSH back = CreateSolidBrush(state_->backColour);
    FillRect(dc, &client, back);
    DeleteObject(back);
    for (const BackgroundPicture& entry : background_) {
        if (const auto* picture = dynamic_cast<const Win32Picture*>(entry.picture.get())) {
            picture->Draw(dc, state_->ToPixels(entry.left), state_->ToPixels(entry.top), state_->dpi);
        }
    }
    for (const PaintedControl* control : state_->painted) control->Paint(dc);
    BitBlt(target, paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right - paint.rcPaint.left,
           paint.rcPaint.bottom - paint.rcPaint.top, dc, paint.rcPaint.left, paint.rcPaint.top, SRCCOPY);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    EndPaint(hwnd, &paint);
}

void Win32Window::Mouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto state = state_;  // a handler may destroy this window
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    Win32PictureBox* target = state->pressed;
    if (!target && state->capture && GetCapture() == state->hwnd) target = state->capture;
    if (!target) {
        for (auto it = state->painted.rbegin(); it != state->painted.rend() && !target; ++it) {
            auto* picture = dynamic_cast<Win32PictureBox*>(*it);
            if (picture && picture->Contains(point)) target = picture;
        }
    }
    if (!target) return;
    const int shift = MouseShift(wParam);
    const auto stillThere = [&] {
        return std::find(state->painted.begin(), state->painted.end(), target) != state->painted.end();
    };
    switch (message) {
        case WM_MOUSEMOVE:
            target->Mouse(&PictureBox::Events::mouseMove, HeldButtons(wParam), shift, point);
            return;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            // The picture pressed keeps the mouse until the button is released.
            state->pressed = target;
            ::SetCapture(state->hwnd);
            target->Mouse(&PictureBox::Events::mouseDown, ButtonOf(message), shift, point);
            return;
        default: {
            const bool inside = target->Contains(point);
            state->pressed = nullptr;
            target->Mouse(&PictureBox::Events::mouseUp, ButtonOf(message), shift, point);
            if (message == WM_LBUTTONUP && inside && stillThere()) target->Click();
            if (state->hwnd && !state->capture && GetCapture() == state->hwnd) ::ReleaseCapture();
            return;
        }
    }
}

void Win32Window::ChangeDpi(int dpi, const RECT& suggested) {
    state_->dpi = dpi;
    if (state_->kind == WindowKind::Bar) scale_.dpi = dpi;
    for (ChildControl* child : state_->children) child->Relayout();
    for (PaintedControl* control : state_->painted) {
        if (auto* label = dynamic_cast<Win32Label*>(control)) label->Relayout();
    }
    ::SetWindowPos(state_->hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(state_->hwnd, nullptr, FALSE);
    if (const auto resize = events_.resize) resize();
}

void Win32Window::CentreOnScreen() {
    RECT window{};
    ::GetWindowRect(state_->hwnd, &window);
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    ::SetWindowPos(state_->hwnd, nullptr, area.left + (area.right - area.left - width) / 2,
                   area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- Window ----------------------------------------------------------------

std::unique_ptr<Label> Win32Window::CreateLabel(const std::string&) { return std::make_unique<Win32Label>(state_); }

std::unique_ptr<TextBox> Win32Window::CreateTextBox(const std::string& name) {
    return std::make_unique<Win32TextBox>(state_, name);
}

std::unique_ptr<PictureBox> Win32Window::CreatePictureBox(const std::string&) {
    return std::make_unique<Win32PictureBox>(state_);
}

std::unique_ptr<Timer> Win32Window::CreateTimer(const std::string&) { return std::make_unique<Win32Timer>(); }

std::unique_ptr<CheckBox> Win32Window::CreateCheckBox(const std::string&) {
    return std::make_unique<Win32CheckBox>(state_);
}

std::unique_ptr<CommandButton> Win32Window::CreateButton(const std::string&) {
    return std::make_unique<Win32Button>(state_);
}

std::unique_ptr<Control> Win32Window::CreateLine(const std::string&) { return std::make_unique<Win32Line>(state_); }

void Win32Window::SetBackColor(Colour colour) {
    state_->backColour = colour;
    background_.clear();
    if (state_->hwnd) InvalidateRect(state_->hwnd, nullptr, TRUE);
}

void Win32Window::DrawPicture(const PicturePtr& picture, int leftTwips, int topTwips) {
    if (!picture) return;
    background_.push_back({picture, leftTwips, topTwips});
    if (state_->hwnd) InvalidateRect(state_->hwnd, nullptr, FALSE);
}

void Win32Window::ClearBackgroundPictures() {
    background_.clear();
    if (state_->hwnd) InvalidateRect(state_->hwnd, nullptr, FALSE);
}

int Win32Window::Width() const {
    RECT client{};
    if (state_->hwnd) ::GetClientRect(state_->hwnd, &client);
    return state_->ToTwips(client.right);
}

int Win32Window::Height() const {
    RECT client{};
    if (state_->hwnd) ::GetClientRect(state_->hwnd, &client);
    return state_->ToTwips(client.bottom);
}

void Win32Window::SetClientSize(int widthTwips, int heightTwips) {
    const HWND hwnd = state_->hwnd;
    if (!hwnd) return;
    RECT frame{0, 0, state_->ToPixels(std::max(widthTwips, 0)), state_->ToPixels(std::max(heightTwips, 0))};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)), static_cast<UINT>(state_->dpi));
    ::SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (state_->kind != WindowKind::Bar && !placed_) CentreOnScreen();
}

void Win32Window::SetVisible(bool visible) {
    if (!state_->hwnd) return;
    if (visible && state_->kind != WindowKind::Bar && !placed_) CentreOnScreen();
    placed_ = placed_ || visible;
    ::ShowWindow(state_->hwnd, !visible ? SW_HIDE : state_->kind == WindowKind::Splash ? SW_SHOWNOACTIVATE : SW_SHOW);
}

bool Win32Window::Visible() const { return state_->hwnd && IsWindowVisible(state_->hwnd); }

void Win32Window::Close() {
    if (state_->hwnd) DestroyWindow(state_->hwnd);
}

// --- NativeWindow ----------------------------------------------------------

WindowProc Win32Window::SetWindowProc(WindowProc procedure) {
    WindowProc previous = std::move(procedure_);
    procedure_ = procedure ? std::move(procedure)
                           : WindowProc([this](unsigned m, std::uintptr_t w, std::intptr_t l) { return OwnHandling(m, w, l); });
    return previous;
}

std::intptr_t Win32Window::SendMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (!state_->hwnd) return 0;
    // A copy: the procedure may replace itself while it runs.
    const WindowProc procedure = procedure_;
    return procedure(message, wParam, lParam);
}

std::string Win32Window::GetWindowText() const {
    if (!state_->hwnd) return {};
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(state_->hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(state_->hwnd, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

RectPx Win32Window::GetWindowRect() const {
    RECT rect{};
    if (state_->hwnd) ::GetWindowRect(state_->hwnd, &rect);
    return scale_.ToLogical(rect);
}

RectPx Win32Window::GetClientRect() const {
    RECT rect{};
    if (state_->hwnd) ::GetClientRect(state_->hwnd, &rect);
    return scale_.ToLogical(rect);
}

PointPx Win32Window::ClientToScreen(PointPx point) const {
    POINT device = ToDevice(scale_, point);
    if (state_->hwnd) ::ClientToScreen(state_->hwnd, &device);
    return ToLogical(scale_, device);
}

bool Win32Window::SetWindowPos(std::uintptr_t insertAfter, int x, int y, int width, int height, unsigned flags) {
    if (!state_->hwnd) return false;
    // The edges are scaled, not the size: a size rounded on its own would
    // leave the window a pixel past the strip it was given.
    const RECT device = scale_.ToDevice(RectPx{x, y, x + width, y + height});
    // The core's z-order values are the system's own HWND_* values.
    return ::SetWindowPos(state_->hwnd, reinterpret_cast<HWND>(insertAfter), device.left, device.top,
                          device.right - device.left, device.bottom - device.top, flags) != FALSE;
}

void Win32Window::ShowWindow(int command) {
    if (!state_->hwnd) return;
    placed_ = placed_ || command != SW_HIDE;
    ::ShowWindow(state_->hwnd, command);
}

void Win32Window::UpdateWindow() {
    if (state_->hwnd) ::UpdateWindow(state_->hwnd);
}

std::int32_t Win32Window::GetWindowLong(int index) const {
    return state_->hwnd ? static_cast<std::int32_t>(GetWindowLongPtrW(state_->hwnd, index)) : 0;
}

std::int32_t Win32Window::SetWindowLong(int index, std::int32_t value) {
    return state_->hwnd ? static_cast<std::int32_t>(SetWindowLongPtrW(state_->hwnd, index, value)) : 0;
}

void Win32Window::DeleteSystemMenuItem(unsigned command) {
    if (state_->hwnd) DeleteMenu(GetSystemMenu(state_->hwnd, FALSE), command, MF_BYCOMMAND);
}

void Win32Window::SetTimer(unsigned id, unsigned milliseconds) {
    if (state_->hwnd) ::SetTimer(state_->hwnd, id, milliseconds, nullptr);
}

void Win32Window::KillTimer(unsigned id) {
    if (state_->hwnd) ::KillTimer(state_->hwnd, id);
}

void Win32Window::Activate() {
    const HWND hwnd = state_->hwnd;
    if (!hwnd) return;
    if (IsIconic(hwnd)) ::ShowWindow(hwnd, SW_RESTORE);
    SetForegroundWindow(hwnd);
    SetActiveWindow(hwnd);
    if (state_->focus) ::SetFocus(state_->focus);
}

bool Win32Window::RegisterHotkey(int id, int keyCode, int modifiers) {
    if (!state_->hwnd || keyCode < 1 || keyCode > 254) return false;
    const bool taken = std::any_of(hotkeys_.begin(), hotkeys_.end(), [&](const auto& h) { return h.id == id; });
    if (taken || !RegisterHotKey(state_->hwnd, id, SystemHotkeyModifiers(modifiers), static_cast<UINT>(keyCode))) {
        return false;
    }
    hotkeys_.push_back({id, keyCode, modifiers});
    std::sort(hotkeys_.begin(), hotkeys_.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
    return true;
}

void Win32Window::UnregisterHotkey(int id) {
    if (state_->hwnd) UnregisterHotKey(state_->hwnd, id);
    std::erase_if(hotkeys_, [id](const auto& h) { return h.id == id; });
}

std::vector<HotkeyRegistration> Win32Window::Hotkeys() const { return hotkeys_; }

void Win32Window::SetOwner(HWND owner) {
    if (state_->hwnd) SetWindowLongPtrW(state_->hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
}

}  // namespace zindle
