#pragma once
// The program-wide settings read from section cfg of zindle.ini at start-up,
// changed by a few built-in words and written back when the bar unloads.

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zindle {

class ProfileStore;

struct CustomHotkey {
    bool enabled = false;
    std::int16_t key = 0;
    std::int16_t shift = 0;
};

struct ProgramSettings {
    bool gStartingUp = false;
    std::string gAppPath;      // the program directory with one trailing separator
    std::string gIniPath;      // gAppPath + "zindle.ini"
    std::string gHistoryPath;  // gAppPath + "history.ini"
    std::int16_t gSplashTime = 2000;
    bool gUseMainHotkey = true;
    std::int16_t gMainKey = 122;  // F11
    std::int16_t gMainShift = 0;
    std::array<CustomHotkey, 6> gCustomHotkeys{};  // hotkeys 1 to 6 at indices 0 to 5
    bool gCaseSensitive = false;
    std::int16_t gHistoryLength = 128;
    std::int16_t gRecurseLimit = 32;
    std::string gOkText = "Zindle - OK";
};

constexpr std::int16_t kDefaultHistoryLength = 128;
constexpr std::int16_t kMaxHistoryLength = 2048;
constexpr std::int16_t kDefaultRecurseLimit = 32;
constexpr std::int16_t kMaxRecurseLimit = 256;

// Sets gAppPath, gIniPath and gHistoryPath from the program directory.
void SetProgramPaths(ProgramSettings& settings, const std::string& programDirectory,
                     char separator);

// Each reads its keys from section cfg of gIniPath with the documented
// defaults; numbers are 16-bit, yes/no values go through ParseYesNo.
void ReadSplashSetting(ProfileStore& store, ProgramSettings& settings);
void ReadHotkeySettings(ProfileStore& store, ProgramSettings& settings);
void ReadBehaviourSettings(ProfileStore& store, ProgramSettings& settings);

// Every cfg setting the program writes back, as key and text, in the order
// the bar saves them; skinName is the skin last handed to the loader.
using SettingValues = std::vector<std::pair<std::string, std::string>>;
SettingValues CurrentSettingValues(const ProgramSettings& settings, const std::string& skinName);

// Writes every cfg setting back, in one rewrite of the file.
bool WriteSettings(ProfileStore& store, const ProgramSettings& settings,
                   const std::string& skinName);

}  // namespace zindle
