// zindle [--trace FILE] [/multi] [...]
// The bar on an X11 desktop: Qt 6 Widgets, with xcb for the dock's strut and
// the global hotkeys.

#include <signal.h>
#include <unistd.h>

#include <QAbstractEventDispatcher>
#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "bar/form1.h"
#include "frontends/common/bar_trace.h"
#include "frontends/qt/program_directory.h"
#include "frontends/qt/qt_platform.h"
#include "frontends/qt/session_end.h"
#include "startup/program.h"

namespace {

// Qt ends the process when it cannot reach the display; a plain message is kinder.
bool DisplayReachable() {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) {
        std::cerr << "zindle: no X display (DISPLAY is not set); the bar needs an X11 desktop\n";
        return false;
    }
    xcb_connection_t* connection = xcb_connect(name, nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!reachable) std::cerr << "zindle: can't open the X display " << name << "\n";
    return reachable;
}

std::string Joined(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& word : words) line += (line.empty() ? "" : " ") + word;
    return line;
}

zindle::QtPlatformPaths Paths() {
    namespace fs = std::filesystem;
    const std::string executableDirectory = QCoreApplication::applicationDirPath().toStdString();
    const std::string config = zindle::UserConfigDirectory(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    zindle::QtPlatformPaths paths;
    paths.programDirectory = zindle::ChooseProgramDirectory(executableDirectory, config);
    paths.registryRoot = config.empty() ? paths.programDirectory : config;
    std::error_code error;
    const fs::path shared = fs::path(executableDirectory) / "../share/zindle";
    if (paths.programDirectory != executableDirectory) zindle::SeedSampleSkins(paths.programDirectory, (shared / "skins").string());
    const fs::path installed = shared / "readme.txt";
    paths.guidePath = fs::is_regular_file(installed, error) ? fs::weakly_canonical(installed, error).string()
                                                            : paths.programDirectory + "/readme.txt";
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    paths.lockPath = runtime && runtime[0] == '/' ? std::string(runtime) + "/zindle.lock"
                                                   : "/tmp/zindle-" + std::to_string(getuid()) + ".lock";
    return paths;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    zindle::TraceFile trace(arguments);
    if (!trace.Error().empty()) std::cerr << "zindle: " << trace.Error() << "\n";
    if (!DisplayReachable()) return 1;
    // Docks, struts and key grabs are X11's; under Wayland the bar runs on XWayland.
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    // Started programs are never waited for.
    signal(SIGCHLD, SIG_IGN);

    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    zindle::QtPlatform platform(trace, Paths(), Joined(arguments));
    platform.windows.SetMainWindowClosedHandler([] { QCoreApplication::exit(0); });
    zindle::Platform bundle = platform.Bundle();
    zindle::Program program(bundle);

    zindle::BarTrace barTrace(
        trace, program,
        {[&]() -> std::optional<zindle::RectPx> {
             zindle::Form1* bar = program.bar();
             return bar ? platform.windowManager.StripOf(bar->window().Native().Handle()) : std::nullopt;
         },
         [&] {
             zindle::Form1* bar = program.bar();
             return bar ? platform.windows.Hotkeys().Registrations(bar->window().Native().Handle())
                        : std::vector<zindle::HotkeyRegistration>{};
         }});
    if (program.StartupMain()) {
        zindle::SessionEnd sessionEnd(
            [&program] {
                if (zindle::Form1* bar = program.bar(); bar && !bar->Unloaded()) bar->Unload();
            },
            [&program] {
                if (zindle::Form1* bar = program.bar(); bar && !bar->Unloaded()) bar->SaveChanges();
            });
        barTrace.Attach();
        barTrace.Report();
        // What the bar shows is written each time the loop has handled its events.
        QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                         [&barTrace] { barTrace.Report(); });
        if (!program.Ended()) application.exec();
        barTrace.Report();
    }
    trace.Write(zindle::kExitEventLine);
    return 0;
}
