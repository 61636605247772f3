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

}  // namespace

MessageAnswer Win32Dialogs::MessageBox(const std::string& text, const std::string& title, MessageIcon icon,
                                       MessageButtons buttons, NativeWindow* owner) {
    trace_.Write(MessageBoxEventLine(title, text, icon, buttons));
    const HWND ownerWindow = owner ? reinterpret_cast<HWND>(owner->Handle()) : nullptr;
    const UINT flags = IconFlag(icon) | (buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK) |
                       (ownerWindow ? MB_APPLMODAL : MB_TASKMODAL) | MB_SETFOREGROUND;
    const int answer = ::MessageBoxW(ownerWindow, Widen(text).c_str(), Widen(title).c_str(), flags);
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return answer == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

}  // namespace zindle
