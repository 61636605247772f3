#pragma once
// A bar window of the headless platform with its six skinned controls, a
// docking object that records what it is asked, and a scratch program
// directory for skins.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "appbar/appbar.h"
#include "frontends/headless/headless_platform.h"
#include "profile/profile_store.h"
#include "profile/program_settings.h"
#include "skinning/skinning.h"
#include "temp_dir.h"

namespace zindle {

class RecordingAppBar final : public AppBar {
public:
    void Extends(Window&) override {}
    void Detach() override {}
    void UpdateBar() override {
        calls.push_back("update");
        if (onUpdate) onUpdate();
    }
    bool LoadSettings() override { return true; }
    bool SaveSettings() override { return true; }
    void SetRegistryKey(const std::string&) override {}
    void SetAlwaysOnTop(bool) override {}
    void SetAllowFlags(int) override {}
    int Edge() const override { return kEdgeBottom; }
    void SetEdge(int) override {}
    void SetHeightStep(int) override {}
    int DockedHeight() const override { return dockedHeight; }
    void SetDockedHeight(int pixels) override {
        calls.push_back("height " + std::to_string(pixels));
        dockedHeight = pixels;
    }
    void SetMinDockedWidth(int) override {}
    void SetMaxDockedWidth(int) override {}
    void SetAutoHide(bool) override {}
    void SetTaskbarButton(int) override {}
    void SetChangeHandler(std::function<void()>) override {}

    std::vector<std::string> calls;
    int dockedHeight = 32;
    // What docking does to the bar's window, if anything.
    std::function<void()> onUpdate;
};

// A 24-bit bitmap of the given size, black.
inline std::string Bitmap(int width, int height) {
    const int rowSize = (width * 3 + 3) / 4 * 4;
    const int dataSize = rowSize * height;
    std::string bytes;
    auto put = [&bytes](long value, int count) {
        for (int i = 0; i < count; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    bytes += "BM";
    put(54 + dataSize, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(width, 4);
    put(height, 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(dataSize, 4);
    put(3780, 4);
    put(3780, 4);
    put(0, 8);
    bytes.append(static_cast<std::size_t>(dataSize), '\0');
    return bytes;
}

// skin.ini as sections of keys.
using SkinIni = std::map<std::string, std::map<std::string, std::string>>;

// A version 3 skin that names every button image; the images are 20 × 20.
inline SkinIni CompleteSkin() {
    SkinIni ini;
    ini["info"]["version"] = "3";
    for (const char* key : {"up-normal", "up-over", "up-click", "down-normal", "down-over", "down-click"}) {
        ini["updown"][key] = std::string(key) + ".bmp";
    }
    for (const char* section : {"run", "exit"}) {
        for (const char* key : {"normal", "over", "click"}) {
            ini[section][key] = std::string(section) + "-" + key + ".bmp";
        }
    }
    return ini;
}

class SkinningTest : public ::testing::Test {
protected:
    SkinningTest()
        : platform(Options(), [this](const std::string& line) { output.push_back(line); }),
          store(platform.profiles),
          window(platform.windows.CreateWindow("Form1", "Zindle", WindowKind::Bar)),
          picSwapPos(window->CreatePictureBox("picSwapPos")),
          txtCmd(window->CreateTextBox("txtCmd")),
          picRunCmd(window->CreatePictureBox("picRunCmd")),
          picClose(window->CreatePictureBox("picClose")),
          lblMsg(window->CreateLabel("lblMsg")),
          lblTimer(window->CreateLabel("lblTimer")) {
        SetProgramPaths(settings, dir.Path().string(), '/');
        lblTimer->SetAutoSize(true);
        lblTimer->SetText("H:M:S");
        skinning = MakeSkinning(platform.windows);
    }

    std::unique_ptr<Skinning> MakeSkinning(WindowFactory& windows) {
        return std::make_unique<Skinning>(
            windows, platform.dialogs, store, settings, skin,
            BarControls{*window, *picSwapPos, *txtCmd, *picRunCmd, *picClose, *lblMsg, *lblTimer, swapTag},
            &appBar, [this] { ++unloads; });
    }

    HeadlessOptions Options() {
        HeadlessOptions options;
        options.programDirectory = dir.Path().string();
        return options;
    }

    // Writes skins/NAME/skin.ini and a 20 × 20 bitmap for every value that
    // ends in ".bmp" and does not exist yet.
    void WriteSkin(const std::string& name, const SkinIni& ini) {
        const std::filesystem::path skinDir = dir.Path() / "skins" / name;
        std::filesystem::create_directories(skinDir);
        std::string text;
        for (const auto& [section, keys] : ini) {
            text += "[" + section + "]\r\n";
            for (const auto& [key, value] : keys) {
                text += key + "=" + value + "\r\n";
                if (value.ends_with(".bmp") && !std::filesystem::exists(skinDir / value)) {
                    WriteImage(name, value, 20, 20);
                }
            }
        }
        WriteBytes((skinDir / "skin.ini").string(), text);
    }

    void WriteImage(const std::string& skinName, const std::string& file, int width, int height) {
        const std::filesystem::path path = dir.Path() / "skins" / skinName / file;
        std::filesystem::create_directories(path.parent_path());
        WriteBytes(path.string(), Bitmap(width, height));
    }

    HeadlessWindow& Bar() { return *platform.windows.FindWindow("Form1"); }
    void SetBarWidth(int pixels) { window->SetClientSize(pixels * 15, 21 * 15); }

    std::string PictureSource(int face, int state) {
        const PicturePtr picture = GetSkinPicture(skin, face, state);
        return picture ? picture->Source() : "none";
    }
    std::string FileName(const PicturePtr& picture) {
        return picture ? std::filesystem::path(picture->Source()).filename().string() : "none";
    }

    // Everything a skin can change on the bar and in the record, as text.
    std::string Snapshot() {
        std::string text = Bar().Describe();
        for (const char* name : {"picSwapPos", "txtCmd", "picRunCmd", "picClose", "lblMsg", "lblTimer"}) {
            text += "\n" + platform.windows.FindControl("Form1", name)->Describe();
        }
        text += "\nheight=" + std::to_string(skin.gBarHeight);
        for (int slot = 1; slot <= 7; ++slot) text += " " + std::to_string(GetSkinColor(skin, slot));
        for (int face = 1; face <= 4; ++face) {
            for (int state = 1; state <= 3; ++state) text += " " + PictureSource(face, state);
        }
        return text;
    }

    TempDir dir;
    std::vector<std::string> output;
    HeadlessPlatform platform;
    ProfileStore store;
    ProgramSettings settings;
    SkinRecord skin;
    RecordingAppBar appBar;
    std::string swapTag = "1";
    int unloads = 0;
    std::unique_ptr<Window> window;
    std::unique_ptr<PictureBox> picSwapPos;
    std::unique_ptr<TextBox> txtCmd;
    std::unique_ptr<PictureBox> picRunCmd;
    std::unique_ptr<PictureBox> picClose;
    std::unique_ptr<Label> lblMsg;
    std::unique_ptr<Label> lblTimer;
    std::unique_ptr<Skinning> skinning;
};

}  // namespace zindle
