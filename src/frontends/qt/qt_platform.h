#pragma once
// The whole Linux platform in one object, handed to the core as a
// zindle::Platform, and the X event filter that feeds it grabbed keys and
// property changes.

#include <QAbstractNativeEventFilter>

#include <functional>
#include <optional>
#include <string>

#include "frontends/common/trace_file.h"
#include "frontends/qt/ewmh_window_manager.h"
#include "frontends/qt/qt_dialogs.h"
#include "frontends/qt/qt_shell.h"
#include "frontends/qt/qt_system.h"
#include "frontends/qt/qt_window_factory.h"
#include "frontends/qt/x11_activation.h"
#include "platform/platform.h"
#include "profile/private_profile_engine.h"

namespace zindle {

struct QtPlatformPaths {
    std::string programDirectory;
    std::string registryRoot;
    std::string guidePath;
    std::string lockPath;
};

class QtPlatform final : public QAbstractNativeEventFilter {
public:
    // Needs the QApplication; installs itself as its native event filter.
    QtPlatform(TraceFile& trace, const QtPlatformPaths& paths, std::string commandLine);
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    Platform Bundle();
    // "zindle --activate" from another process: the handler gets the
    // request's server time.
    void SetActivationHandler(std::function<void(std::uint32_t time)> handler);
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    // Declared first: the others refer to them.
    TraceFile& trace;
    std::optional<X11Display> display;
    PrivateProfileEngine profiles;
    QtShell shell;
    QtSystem system;
    QtWindowFactory windows;
    QtDialogs dialogs;
    EwmhWindowManager windowManager;

    std::optional<X11ActivationTarget> activation;

private:
    void KeyboardChanged();

    std::function<void(std::uint32_t)> onActivate_;

    bool remapPending_ = false;
};

}  // namespace zindle
