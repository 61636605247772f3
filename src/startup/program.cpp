#include "startup/program.h"

#include "appbar/tappbar.h"
#include "bar/form1.h"
#include "bar/splash.h"
#include "platform/platform.h"
#include "profile/conversions.h"
#include "profile/history_file.h"
#include "startup/command_switch.h"

namespace zindle {

namespace {

constexpr const char* kCmds = "cmds";

}  // namespace

Program::Program(Platform& p)
    : platform(p),
      store(p.profiles),
      interpreter(p, store, settings, history),
      appBar_(std::make_unique<TAppBar>(p)) {}

// The bar goes first: its unload still talks to the docking object.
Program::~Program() { form1_.reset(); }

AppBar* Program::appBar() { return appBar_.get(); }

bool Program::Ended() const { return form1_ && form1_->Unloaded(); }

void Program::WriteDefaultCommands() {
    DefaultCommandLines lines = platform.system.DefaultCommands(settings.gIniPath, settings.gAppPath);
    const std::pair<const char*, std::string> defaults[] = {
        {"cfg", std::move(lines.cfg)},
        {"help", std::move(lines.help)},
        {"readme", std::move(lines.readme)},
    };
    for (const auto& [word, line] : defaults) {
        if (TrimBlanks(store.ReadIniValue(kCmds, word, "", settings.gIniPath)).empty()) {
            store.WriteIniValue(kCmds, word, settings.gIniPath, line);
        }
    }
}

void Program::ShowSplash() {
    if (settings.gSplashTime <= 0) return;
    splash_ = std::make_unique<frmSplash>(platform.windows);
    splash_->Show(platform.system, settings.gSplashTime);
}

// The base skin comes first so that the bar docks at its height straight
// away; then the bar window loads (docks, lays itself out, shows itself).
void Program::LoadBar() {
    form1_ = std::make_unique<Form1>(
        BarContext{platform, store, settings, history, skin, interpreter, *appBar_});
    InterpreterHosts hosts;
    hosts.bar = form1_.get();
    hosts.dock = form1_.get();
    hosts.clock = &form1_->clocks();
    hosts.skins = &form1_->skinning();
    hosts.options = &form1_->options();
    interpreter.SetHosts(hosts);
    form1_->skinning().LoadBaseSkin();
    if (!form1_->Unloaded()) form1_->Form_Load();
}

bool Program::StartupMain() {
    settings.gStartingUp = true;
    System& system = platform.system;
    if (system.AnotherInstanceRunning() && !HasCommandSwitch(system.CommandLine(), "/multi")) {
        platform.dialogs.MessageBox(
            "Can't run multiple instances at once\r\n(use /multi switch on commandline to force it)",
            "Zindle Already Running", MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    SetProgramPaths(settings, system.ProgramDirectory(), system.PathSeparator());
    ReadSplashSetting(store, settings);
    ShowSplash();
    ReadHotkeySettings(store, settings);
    ReadBehaviourSettings(store, settings);
    WriteDefaultCommands();
    // The history is read before the bar exists: a bar that cannot even take
    // its built-in look unloads at once, and unloading saves the history.
    history.gHistory = LoadHistoryFile(store, settings.gHistoryPath);
    LoadBar();
    if (!form1_->Unloaded()) {
        form1_->skinning().LoadSkin(store.ReadIniValue("cfg", "skin", "", settings.gIniPath));
        form1_->hotkeys().RegisterHotkeys();
        form1_->TrackChanges();

        if (store.IniHasValue(kCmds, "!onload", settings.gIniPath)) {
            interpreter.RunCommand(store.ReadIniValue(kCmds, "!onload", "", settings.gIniPath));
        }
    }
    if (!form1_->Unloaded()) form1_->window().SetVisible(true);
    settings.gStartingUp = false;
    return true;
}

}  // namespace zindle
