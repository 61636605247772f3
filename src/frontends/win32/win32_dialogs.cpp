#include "frontends/win32/win32_dialogs.h"

#include "frontends/win32/win32_api.h"

#include "frontends/common/event_lines.h"
#include "frontends/win32/wide_text.h"
#include "platform/window_manager.h"

namespace zindle {
namespace {

UINT IconFlag(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information: return MB_ICONINFORMATION;
        case MessageIcon::Exclamation: return MB_ICONEXCLAMATION;
        case MessageIcon::Critical: return MB_ICONHAND;
        case MessageIcon::Question: return MB_ICONQUESTION;
        case MessageIcon::None: break;
    }
    return 0;
}

// The control that has the keyboard while a window of ours is in the
// foreground, to be given back when a box closes: a box without an owner
// leaves Windows to activate whatever window comes next, often none of ours,
// and even an owner gets back only its frame, not the control.
class FocusReturn {
public:
    FocusReturn() : focus_(GetFocus()) {
        if (focus_ && GetAncestor(focus_, GA_ROOT) != GetForegroundWindow()) focus_ = nullptr;
    }
    ~FocusReturn() {
        if (!focus_ || !IsWindow(focus_)) return;
        const HWND window = GetAncestor(focus_, GA_ROOT);
        // A window that is gone from the screen or waits on a dialog of its
        // own keeps the focus where it now is.
        if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return;
        SetForegroundWindow(window);
        SetFocus(focus_);
    }
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

private:
    HWND focus_;
};

}  // namespace

MessageAnswer Win32Dialogs::MessageBox(const std::string& text, const std::string& title, MessageIcon icon,
                                       MessageButtons buttons, NativeWindow* owner) {
    trace_.Write(MessageBoxEventLine(title, text, icon, buttons));
    const FocusReturn focusReturn;
    const HWND ownerWindow = owner ? reinterpret_cast<HWND>(owner->Handle()) : nullptr;
    const UINT flags = IconFlag(icon) | (buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK) |
                       (ownerWindow ? MB_APPLMODAL : MB_TASKMODAL) | MB_SETFOREGROUND;
    const int answer = ::MessageBoxW(ownerWindow, Widen(text).c_str(), Widen(title).c_str(), flags);
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return answer == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

}  // namespace zindle
