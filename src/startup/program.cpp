#include "startup/program.h"

#include "bar/form1.h"
#include "platform/platform.h"
#include "profile/conversions.h"
#include "profile/history_file.h"
#include "startup/command_switch.h"

namespace zindle {

namespace {

constexpr const char* kCmds = "cmds";

}  // namespace

Program::Program(Platform& p)
    : platform(p), store(p.profiles), interpreter(p, store, settings, history) {}

Program::~Program() = default;

bool Program::Ended() const { return form1_ && form1_->Unloaded(); }

void Program::WriteDefaultCommands() {
    const std::string quote = "\"";
    const std::pair<const char*, std::string> defaults[] = {
        {"cfg", "exe notepad.exe " + quote + settings.gIniPath + quote},
        {"help", "%%open " + settings.gAppPath + "zindle.chm"},
        {"readme", "%%open " + settings.gAppPath + "readme.txt"},
    };
    for (const auto& [word, line] : defaults) {
        if (TrimBlanks(store.ReadIniValue(kCmds, word, "", settings.gIniPath)).empty()) {
            store.WriteIniValue(kCmds, word, settings.gIniPath, line);
        }
    }
}

void Program::LoadBar() {
    form1_ = std::make_unique<Form1>(platform, store, settings, history, skin);
    InterpreterHosts hosts;
    hosts.bar = form1_.get();
    hosts.skins = startupHosts.skins;
    interpreter.SetHosts(hosts);
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
    ReadHotkeySettings(store, settings);
    ReadBehaviourSettings(store, settings);
    WriteDefaultCommands();
    LoadBar();

    skin.gSkinName = store.ReadIniValue("cfg", "skin", "", settings.gIniPath);
    if (startupHosts.skins) startupHosts.skins->LoadSkin(skin.gSkinName);

    history.gHistory = LoadHistoryFile(store, settings.gHistoryPath);
    if (store.IniHasValue(kCmds, "!onload", settings.gIniPath)) {
        interpreter.RunCommand(store.ReadIniValue(kCmds, "!onload", "", settings.gIniPath));
    }
    form1_->window().SetVisible(true);
    settings.gStartingUp = false;
    return true;
}

}  // namespace zindle
