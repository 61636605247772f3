// zindle [--trace FILE] [--activate] [/multi] [...]
// zindle --autostart on|off
// The bar on an X11 desktop: Qt 6 Widgets, with xcb for the dock's strut and
// the global hotkeys.

#include <signal.h>
#include <unistd.h>

#include <QAbstractEventDispatcher>
#include <QApplication>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "bar/form1.h"
#include "frontends/common/bar_trace.h"
#include "frontends/qt/autostart.h"
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
    paths.lockPath = zindle::InstanceLockPath(std::getenv("XDG_RUNTIME_DIR"), getuid(), std::getenv("DISPLAY"));
    return paths;
}

// Takes a switch out of the arguments the bar sees; true when it was there.
bool TakeSwitch(std::vector<std::string>& arguments, const std::string& name) {
    const auto found = std::find(arguments.begin(), arguments.end(), name);
    if (found == arguments.end()) return false;
    arguments.erase(found);
    return true;
}

int Autostart(const std::vector<std::string>& arguments) {
    if (arguments.size() != 2 || (arguments[1] != "on" && arguments[1] != "off")) {
        std::cerr << "zindle: use --autostart on, or --autostart off\n";
        return 2;
    }
    const bool on = arguments[1] == "on";
    const std::string entry = zindle::AutostartEntryPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    std::error_code error;
    const std::string executable = std::filesystem::read_symlink("/proc/self/exe", error).string();
    const std::string failure = zindle::SetAutostart(on, entry, executable);
    if (!failure.empty()) {
        std::cerr << "zindle: can't " << (on ? "write " : "remove ") << entry << ": " << failure << "\n";
        return 1;
    }
    std::cout << (on ? "Zindle starts with the desktop session: " : "Zindle no longer starts with the session: ")
              << entry << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && arguments[0] == "--autostart") return Autostart(arguments);
    const bool activate = TakeSwitch(arguments, "--activate");
    zindle::TraceFile trace(arguments);
    if (!trace.Error().empty()) std::cerr << "zindle: " << trace.Error() << "\n";
    if (!DisplayReachable()) return 1;
    // The running bar comes forward; without one, this one starts.
    if (activate && zindle::RequestActivation(std::getenv("DISPLAY"))) return 0;
    // Started programs are never waited for.
    signal(SIGCHLD, SIG_IGN);

    // Docks, struts and key grabs are X11's; under Wayland the bar runs on
    // XWayland. Said on Qt's command line, which wins over QT_QPA_PLATFORM,
    // so that the programs the bar starts keep the environment it was given.
    std::vector<char*> qtArguments(argv, argv + argc);
    char platformSwitch[] = "-platform";
    char platformName[] = "xcb";
    qtArguments.insert(qtArguments.begin() + 1, {platformSwitch, platformName});
    int qtArgumentCount = static_cast<int>(qtArguments.size());
    qtArguments.push_back(nullptr);
    QApplication application(qtArgumentCount, qtArguments.data());
    application.setQuitOnLastWindowClosed(false);
    zindle::QtPlatform platform(trace, Paths(), Joined(arguments));
    platform.windows.SetMainWindowClosedHandler([] { QCoreApplication::exit(0); });
    zindle::Platform bundle = platform.Bundle();
    zindle::Program program(bundle);
    platform.SetActivationHandler([&](std::uint32_t time) {
        zindle::Form1* bar = program.bar();
        if (!bar || !platform.activation) return;
        platform.activation->ActivateWindow(static_cast<xcb_window_t>(bar->window().Native().Handle()), time);
        bar->hotkeys().OnMainHotkey();
    });

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
