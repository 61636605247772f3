#include "frontends/win32/child_controls.h"

#include <algorithm>
#include <utility>

#include "frontends/common/event_lines.h"
#include "frontends/win32/wide_text.h"

namespace zindle {
namespace {

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

int ShiftMask() {
    return ((GetKeyState(VK_SHIFT) & 0x8000) ? kShiftMask : 0) | ((GetKeyState(VK_CONTROL) & 0x8000) ? kCtrlMask : 0) |
           ((GetKeyState(VK_MENU) & 0x8000) ? kAltMask : 0);
}

void ReplaceBrush(HBRUSH& brush, Colour colour) {
    if (brush) DeleteObject(brush);
    brush = CreateSolidBrush(colour);
}

bool IsHighSurrogate(WPARAM c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(WPARAM c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

// --- ChildControlBase ------------------------------------------------------

template <typename Interface>
ChildControlBase<Interface>::ChildControlBase(std::shared_ptr<WindowState> window, const wchar_t* className,
                                              DWORD style)
    : ControlBase<Interface>(std::move(window)) {
    WindowState& state = *this->window_;
    // A dialog's controls start in a Windows dialog's own font, which its
    // layout in twips was made for.
    if (state.kind == WindowKind::Dialog) font_ = FontSpec{"MS Sans Serif", 8};
    hwnd_ = CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, state.hwnd,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(state.nextChildId++)),
                            GetModuleHandleW(nullptr), nullptr);
    ApplyFont(font_);
    state.children.push_back(this);
}

template <typename Interface>
ChildControlBase<Interface>::~ChildControlBase() {
    std::erase(this->window_->children, this);
    if (this->window_->focus == hwnd_) this->window_->focus = nullptr;
    if (this->window_->hwnd && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

template <typename Interface>
void ChildControlBase<Interface>::FrameChanged(const RECT&) {
    const RECT area = this->frame_.Pixels(*this->window_);
    SetWindowPos(hwnd_, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | (this->frame_.visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

template <typename Interface>
void ChildControlBase<Interface>::ApplyFont(const FontSpec& font) {
    font_ = font;
    fontHandle_.Create(font_, this->window_->dpi);
    ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(fontHandle_.Get()), TRUE);
}

template <typename Interface>
void ChildControlBase<Interface>::Relayout() {
    ApplyFont(font_);
    FrameChanged(RECT{});
}

// --- Win32TextBox ----------------------------------------------------------

Win32TextBox::Win32TextBox(std::shared_ptr<WindowState> window, std::string name)
    : ChildControlBase(std::move(window), L"EDIT", ES_AUTOHSCROLL | ES_LEFT),
      name_(std::move(name)),
      foreColour_(GetSysColor(COLOR_WINDOWTEXT)),
      backColour_(GetSysColor(COLOR_WINDOW)) {
    SetBorderStyle(borderStyle_);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    editProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32TextBox::EditProc)));
}

Win32TextBox::~Win32TextBox() {
    if (brush_) DeleteObject(brush_);
}

LRESULT CALLBACK Win32TextBox::EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* box = reinterpret_cast<Win32TextBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP:
        case WM_CHAR:
            if (box->heldKeys_.MustWait()) {
                box->heldKeys_.Keep({message, wParam, lParam});
                return 0;
            }
            return box->HandleKey(message, wParam, lParam);
        case WM_GETDLGCODE:
            // Enter and Escape reach the box's own events.
            return CallWindowProcW(box->editProc_, hwnd, message, wParam, lParam) | DLGC_WANTALLKEYS;
        default:
            return CallWindowProcW(box->editProc_, hwnd, message, wParam, lParam);
    }
}

void Win32TextBox::SetInputHeld(bool held) {
    heldKeys_.SetHeld(held, [this](const KeyMessage& key) { SendMessageW(hwnd_, key.message, key.wParam, key.lParam); });
}

LRESULT Win32TextBox::HandleKey(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = hwnd_;
    const WNDPROC editProc = editProc_;
    const auto passOn = [&](WPARAM value) { return CallWindowProcW(editProc, hwnd, message, value, lParam); };
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
        int keyCode = static_cast<int>(wParam);
        if (const auto keyDown = events_.keyDown) keyDown(keyCode, ShiftMask());
        if (keyCode == 0 || !IsWindow(hwnd)) return 0;
        return passOn(static_cast<WPARAM>(keyCode));
    }
    if (message == WM_KEYUP || message == WM_SYSKEYUP) {
        if (const auto keyUp = events_.keyUp) keyUp(static_cast<int>(wParam), ShiftMask());
        return IsWindow(hwnd) ? passOn(wParam) : 0;
    }
    // WM_CHAR: a character outside the basic plane arrives as two halves.
    if (IsHighSurrogate(wParam)) {
        pendingHighSurrogate_ = static_cast<wchar_t>(wParam);
        return 0;
    }
    int charCode = static_cast<int>(wParam);
    const wchar_t high = std::exchange(pendingHighSurrogate_, L'\0');
    if (high && IsLowSurrogate(wParam)) charCode = 0x10000 + ((high - 0xD800) << 10) + (charCode - 0xDC00);
    if (const auto keyPress = events_.keyPress) keyPress(charCode);
    if (charCode == 0 || !IsWindow(hwnd)) return 0;
    if (charCode == '\r' || charCode == 27) return 0;  // a one-line box only beeps at these
    if (charCode >= 0x10000 && charCode <= 0x10FFFF) {
        const int offset = charCode - 0x10000;
        passOn(static_cast<WPARAM>(0xD800 + (offset >> 10)));
        return passOn(static_cast<WPARAM>(0xDC00 + (offset & 0x3FF)));
    }
    return passOn(static_cast<WPARAM>(charCode));
}

std::wstring Win32TextBox::WideText() const { return WindowText(hwnd_); }

void Win32TextBox::SetText(const std::string& text) {
    const std::wstring wide = Widen(text);
    if (wide == WideText()) return;
    SetWindowTextW(hwnd_, wide.c_str());  // EN_CHANGE raises the change event
    if (window_->kind == WindowKind::Dialog) window_->trace.Write(DialogEventLine(name_, text));
}

std::string Win32TextBox::Text() const { return Narrow(WideText()); }

void Win32TextBox::SetSelection(int start, int length) {
    const std::wstring text = WideText();
    const int first = Utf16Index(text, std::max(start, 0));
    const int last = Utf16Index(text, std::max(start, 0) + std::max(length, 0));
    // Anchored at the end, so the caret sits at the start.
    ::SendMessageW(hwnd_, EM_SETSEL, static_cast<WPARAM>(last), static_cast<LPARAM>(first));
}

int Win32TextBox::SelectionStart() const {
    DWORD first = 0, last = 0;
    ::SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    return CharacterIndex(WideText(), static_cast<int>(first));
}

int Win32TextBox::SelectionLength() const {
    DWORD first = 0, last = 0;
    ::SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    const std::wstring text = WideText();
    return CharacterIndex(text, static_cast<int>(last)) - CharacterIndex(text, static_cast<int>(first));
}

void Win32TextBox::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    ::SendMessageW(hwnd_, EM_SETREADONLY, readOnly, 0);
}

void Win32TextBox::SetAlignment(Alignment alignment) {
    alignment_ = alignment;
    const LONG_PTR align = alignment == Alignment::Right ? ES_RIGHT : alignment == Alignment::Center ? ES_CENTER : ES_LEFT;
    const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
    SetWindowLongPtrW(hwnd_, GWL_STYLE, (style & ~static_cast<LONG_PTR>(ES_RIGHT | ES_CENTER)) | align);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32TextBox::SetBorderStyle(int style) {
    borderStyle_ = style;
    // The sunken edge of a single-line box; an EDIT control keeps a
    // WS_BORDER given at creation to itself, so that one cannot be switched.
    const LONG_PTR current = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE,
                      style ? (current | WS_EX_CLIENTEDGE) : (current & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE)));
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Win32TextBox::SetForeColor(Colour colour) {
    foreColour_ = colour;
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32TextBox::SetBackColor(Colour colour) {
    backColour_ = colour;
    ReplaceBrush(brush_, colour);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32TextBox::SetFocus() {
    window_->focus = hwnd_;
    ::SetFocus(hwnd_);
}

void Win32TextBox::Command(int code) {
    if (code != EN_CHANGE) return;
    if (const auto change = events_.change) change();
}

HBRUSH Win32TextBox::Colours(HDC dc) {
    if (!brush_) ReplaceBrush(brush_, backColour_);
    SetTextColor(dc, foreColour_);
    SetBkColor(dc, backColour_);
    return brush_;
}

// --- Win32CheckBox ---------------------------------------------------------

Win32CheckBox::Win32CheckBox(std::shared_ptr<WindowState> window)
    : ChildControlBase(std::move(window), L"BUTTON", BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP) {}

Win32CheckBox::~Win32CheckBox() {
    if (brush_) DeleteObject(brush_);
}

void Win32CheckBox::SetCaption(const std::string& caption) { SetWindowTextW(hwnd_, Widen(caption).c_str()); }

std::string Win32CheckBox::Caption() const { return Narrow(WindowText(hwnd_)); }

void Win32CheckBox::SetChecked(bool checked) {
    ::SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32CheckBox::Checked() const { return ::SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

HBRUSH Win32CheckBox::Colours(HDC dc) {
    // On the window's own colour, like the rest of the dialog.
    ReplaceBrush(brush_, window_->backColour);
    SetBkColor(dc, window_->backColour);
    return brush_;
}

// --- Win32Button -----------------------------------------------------------

Win32Button::Win32Button(std::shared_ptr<WindowState> window)
    : ChildControlBase(std::move(window), L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP) {}

void Win32Button::SetCaption(const std::string& caption) { SetWindowTextW(hwnd_, Widen(caption).c_str()); }

std::string Win32Button::Caption() const { return Narrow(WindowText(hwnd_)); }

void Win32Button::Command(int code) {
    if (code != BN_CLICKED) return;
    const auto onClick = onClick_;
    if (onClick) onClick();
}

template class ChildControlBase<TextBox>;
template class ChildControlBase<CheckBox>;
template class ChildControlBase<CommandButton>;

}  // namespace zindle
