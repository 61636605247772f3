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
    qApp->installNativeEventFilter(this);
}

QtPlatform::~QtPlatform() { qApp->removeNativeEventFilter(this); }

Platform QtPlatform::Bundle() { return Platform{profiles, shell, dialogs, system, windows, windowManager}; }

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
        case XCB_PROPERTY_NOTIFY: {
            const auto* property = reinterpret_cast<const xcb_property_notify_event_t*>(event);
            windowManager.PropertyChanged(property->window, property->atom);
            break;
        }
        default: break;
    }
    return false;
}

}  // namespace zindle
