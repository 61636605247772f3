#include "frontends/qt/qt_platform.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "frontends/qt/qt_window.h"

namespace zindle {

QtPlatform::QtPlatform(TraceFile& traceFile, const QtPlatformPaths& paths, std::string commandLine)
    : trace(traceFile),
      display(X11Display::FromQt()),
      shell(traceFile),
      system(paths.programDirectory, std::move(commandLine), paths.registryRoot, paths.guidePath, paths.lockPath),
      windows(traceFile, display ? &*display : nullptr),
      dialogs(traceFile, windows),
      windowManager(windows, display ? &*display : nullptr) {
    if (display) activation.emplace(*display);
    qApp->installNativeEventFilter(this);
}

QtPlatform::~QtPlatform() { qApp->removeNativeEventFilter(this); }

Platform QtPlatform::Bundle() { return Platform{profiles, shell, dialogs, system, windows, windowManager}; }

void QtPlatform::SetActivationHandler(std::function<void(std::uint32_t)> handler) {
    onActivate_ = std::move(handler);
}

// Returns false always: Qt still sees every event (a grabbed key's time
// becomes the time the bar's activation carries).
bool QtPlatform::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (!display || eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & 0x7F) {
        case XCB_KEY_PRESS: {
            const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
            if (key->event != display->Root()) break;
            if (const auto hit = windows.Hotkeys().Match(key->detail, key->state)) {
                // After Qt has taken the event's time, outside its event handling.
                QTimer::singleShot(0, qApp, [this, hit = *hit] {
                    if (QtWindow* window = windows.FindWindow(hit.window)) {
                        window->SendMessage(kWmHotkey, static_cast<std::uintptr_t>(hit.id), 0);
                    }
                });
            }
            break;
        }
        case XCB_CLIENT_MESSAGE: {
            const auto time = activation ? activation->Request(*event) : std::nullopt;
            if (time && onActivate_) {
                QTimer::singleShot(0, qApp, [this, time = *time] {
                    if (onActivate_) onActivate_(time);
                });
            }
            break;
        }
        case XCB_MAPPING_NOTIFY: {
            const auto* mapping = reinterpret_cast<const xcb_mapping_notify_event_t*>(event);
            if (mapping->request != XCB_MAPPING_POINTER) KeyboardChanged();
            break;
        }
        case XCB_PROPERTY_NOTIFY: {
            const auto* property = reinterpret_cast<const xcb_property_notify_event_t*>(event);
            windowManager.PropertyChanged(property->window, property->atom);
            if (property->atom == XCB_ATOM_WM_NORMAL_HINTS) {
                if (QtWindow* window = windows.FindWindow(property->window)) window->SizeHintsChanged();
            }
            break;
        }
        default: {
            // Qt listens to XKB's keymap changes (setxkbmap, a new keyboard),
            // which stand in for MappingNotify for XKB clients.
            constexpr std::uint8_t kNewKeyboardNotify = 0;
            constexpr std::uint8_t kMapNotify = 1;
            const std::uint8_t xkb = display->XkbFirstEvent();
            const std::uint8_t xkbType = reinterpret_cast<const std::uint8_t*>(event)[1];
            if (xkb != 0 && (event->response_type & 0x7F) == xkb &&
                (xkbType == kNewKeyboardNotify || xkbType == kMapNotify)) {
                KeyboardChanged();
            }
            break;
        }
    }
    return false;
}

// One change sends several events; the grabs follow once they are all in.
void QtPlatform::KeyboardChanged() {
    if (remapPending_) return;
    remapPending_ = true;
    QTimer::singleShot(0, qApp, [this] {
        remapPending_ = false;
        windows.Hotkeys().Remap();
    });
}

}  // namespace zindle
