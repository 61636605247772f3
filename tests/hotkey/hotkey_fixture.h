#pragma once
// The hotkey subsystem on the headless platform: a bar window with its
// command box and status line, the interpreter behind it, the hotkeys and
// the options dialog, in a fresh program directory.

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "hotkey/hotkeys.h"
#include "hotkey/options_dialog.h"
#include "interpreter/history.h"
#include "interpreter/interpreter.h"
#include "frontends/headless/headless_dialog_controls.h"
#include "frontends/headless/headless_platform.h"
#include "profile/profile_store.h"
#include "profile/program_settings.h"
#include "skinning/skin_record.h"
#include "temp_dir.h"

namespace zindle {

inline constexpr Colour kNormalColour = MakeColour(0, 0, 200);
inline constexpr Colour kWorkingColour = MakeColour(200, 0, 0);
using Events = std::vector<std::string>;

// Everything one start builds, torn down in reverse order of its members;
// it stands for the bar towards the interpreter.
struct HotkeyRig final : BarHost {
    HotkeyRig(const std::string& directory, const HeadlessOptions& headless, Events& events)
        : platform(headless, [&events](const std::string& line) { events.push_back(line); }),
          bundle(platform.Bundle()),
          store(platform.profiles),
          interpreter(bundle, store, settings, history),
          bar(platform.windows.CreateWindow("Form1", "Zindle", WindowKind::Bar)),
          txtCmd(bar->CreateTextBox("txtCmd")),
          lblMsg(bar->CreateLabel("lblMsg")),
          hotkeys(bundle, settings, interpreter, skin, *bar, *txtCmd, *lblMsg),
          options(bundle, settings, hotkeys, *bar) {
        SetProgramPaths(settings, directory, '/');
        ReadHotkeySettings(store, settings);
        ReadBehaviourSettings(store, settings);
        skin.gSkinColors[4] = kNormalColour;
        skin.gSkinColors[7] = kWorkingColour;
        InterpreterHosts hosts;
        hosts.bar = this;
        hosts.options = &options;
        interpreter.SetHosts(hosts);
    }
    Label& StatusLine() override { return *lblMsg; }
    void BlinkBar() override {}
    void Unload() override {}

    HeadlessPlatform platform;
    Platform bundle;
    ProfileStore store;
    ProgramSettings settings;
    History history;
    SkinRecord skin;
    Interpreter interpreter;
    std::unique_ptr<Window> bar;
    std::unique_ptr<TextBox> txtCmd;
    std::unique_ptr<Label> lblMsg;
    Hotkeys hotkeys;
    HotkeyOptions options;
};

class HotkeyTest : public ::testing::Test {
protected:
    // Writes zindle.ini (when given) and builds everything afresh from it.
    HotkeyRig& Start(const std::string& ini = "", const std::string& commandLine = "",
                     bool anotherInstance = false) {
        rig.reset();
        events.clear();
        if (!ini.empty()) std::ofstream(dir.Path() / "zindle.ini", std::ios::binary) << ini;
        HeadlessOptions options{dir.Path().string(), commandLine, anotherInstance};
        rig = std::make_unique<HotkeyRig>(dir.Path().string(), options, events);
        return *rig;
    }

    // The registrations as "ID:KEY+MODIFIERS ...", then "hook" while it is installed.
    std::string Held() const {
        std::string held;
        for (const HotkeyRegistration& r : rig->platform.windows.Hotkeys().Registrations()) {
            held += std::to_string(r.id) + ":" + std::to_string(r.keyCode) + "+" + std::to_string(r.modifiers);
            held += " ";
        }
        return held + (rig->hotkeys.HookInstalled() ? "hook" : "-");
    }
    std::intptr_t Press(int id) {
        return rig->bar->Native().SendMessage(kWmHotkey, static_cast<std::uintptr_t>(id), 0);
    }

    // The options dialog's controls, while it exists.
    HeadlessCheckBox& Check(const std::string& name) {
        return dynamic_cast<HeadlessCheckBox&>(*rig->platform.windows.FindControl("frmOptions", name));
    }
    HeadlessTextBox& Box(const std::string& name) {
        return *rig->platform.windows.FindTextBox("frmOptions", name);
    }
    void ClickDone() {
        dynamic_cast<HeadlessCommandButton&>(*rig->platform.windows.FindControl("frmOptions", "btnDone")).Click();
    }
    void OnModal(std::function<void(HeadlessWindow&)> loop) {
        rig->platform.windows.SetModalLoop(std::move(loop));
    }

    TempDir dir;
    Events events;
    std::unique_ptr<HotkeyRig> rig;
};

}  // namespace zindle
