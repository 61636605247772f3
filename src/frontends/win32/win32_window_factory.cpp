#include "frontends/win32/win32_window_factory.h"

#include "frontends/win32/win32_pictures.h"
#include "frontends/win32/win32_window.h"
#include "resources/resources.h"

namespace zindle {

std::unique_ptr<Window> Win32WindowFactory::CreateWindow(const std::string& name, const std::string& caption,
                                                         WindowKind kind) {
    return std::make_unique<Win32Window>(trace_, scale_, name, caption, kind,
                                         [this] {
                                             if (onTaskbarCreated_) onTaskbarCreated_();
                                         });
}

PicturePtr Win32WindowFactory::LoadPictureFile(const std::string& path) { return DecodePictureFile(path); }

PicturePtr Win32WindowFactory::LoadPictureResource(const std::string& name) {
    const auto bytes = ResourceBytes(name);
    return bytes ? DecodePictureBytes(*bytes, name) : nullptr;
}

void Win32WindowFactory::ReleaseCapture() { ::ReleaseCapture(); }

void Win32WindowFactory::RunModal(Window& dialog, Window& owner) {
    auto* dialogWindow = dynamic_cast<Win32Window*>(&dialog);
    const HWND ownerWindow = reinterpret_cast<HWND>(owner.Native().Handle());
    if (!dialogWindow || !dialogWindow->Handle()) return;
    dialogWindow->SetOwner(ownerWindow);
    EnableWindow(ownerWindow, FALSE);
    dialog.SetVisible(true);
    const HWND dialogHandle = reinterpret_cast<HWND>(dialogWindow->Handle());
    SetForegroundWindow(dialogHandle);
    MSG message{};
    // Until the dialog is closed; a quit request ends the loop and is kept
    // for the main loop.
    while (IsWindow(dialogHandle)) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (!IsDialogMessageW(dialogHandle, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (IsWindow(ownerWindow)) {
        EnableWindow(ownerWindow, TRUE);
        SetForegroundWindow(ownerWindow);
    }
}

}  // namespace zindle
