#include "profile/program_settings.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "profile/conversions.h"
#include "profile/profile_store.h"

namespace zindle {

namespace {

constexpr const char* kCfg = "cfg";

std::int16_t ReadNumber(ProfileStore& store, const ProgramSettings& s, const char* key,
                        const char* fallback) {
    return ToInt16(store.ReadIniValue(kCfg, key, fallback, s.gIniPath));
}

bool ReadFlag(ProfileStore& store, const ProgramSettings& s, const std::string& key,
              const char* fallback) {
    return ParseYesNo(store.ReadIniValue(kCfg, key, fallback, s.gIniPath));
}

// "history" and "recurse": an empty value means the built-in default; any
// other value is converted and capped, with no lower bound.
std::int16_t ReadCapped(ProfileStore& store, const ProgramSettings& s, const char* key,
                        std::int16_t fallback, std::int16_t cap) {
    const std::string text = TrimBlanks(store.ReadIniValue(kCfg, key, "", s.gIniPath));
    if (text.empty()) return fallback;
    return std::min(ToInt16(text), cap);
}

}  // namespace

void SetProgramPaths(ProgramSettings& settings, const std::string& programDirectory,
                     char separator) {
    settings.gAppPath = programDirectory;
    if (settings.gAppPath.empty() || settings.gAppPath.back() != separator) {
        settings.gAppPath += separator;
    }
    settings.gIniPath = settings.gAppPath + "zindle.ini";
    settings.gHistoryPath = settings.gAppPath + "history.ini";
}

void ReadSplashSetting(ProfileStore& store, ProgramSettings& settings) {
    settings.gSplashTime = ReadNumber(store, settings, "splash", "2000");
}

void ReadHotkeySettings(ProfileStore& store, ProgramSettings& settings) {
    settings.gUseMainHotkey = ReadFlag(store, settings, "UseMain", "yes");
    settings.gMainKey = ReadNumber(store, settings, "MainKey", "122");
    settings.gMainShift = ReadNumber(store, settings, "MainShift", "0");
    for (int n = 1; n <= 6; ++n) {
        const std::string digit = std::to_string(n);
        CustomHotkey& hotkey = settings.gCustomHotkeys[static_cast<std::size_t>(n - 1)];
        hotkey.enabled = ReadFlag(store, settings, "Use" + digit, "no");
        hotkey.key = ToInt16(store.ReadIniValue(kCfg, "Key" + digit, "0", settings.gIniPath));
        hotkey.shift = ToInt16(store.ReadIniValue(kCfg, "Shift" + digit, "0", settings.gIniPath));
    }
}

void ReadBehaviourSettings(ProfileStore& store, ProgramSettings& settings) {
    settings.gCaseSensitive = ReadFlag(store, settings, "CaseSens", "no");
    settings.gHistoryLength =
        ReadCapped(store, settings, "history", kDefaultHistoryLength, kMaxHistoryLength);
    settings.gRecurseLimit =
        ReadCapped(store, settings, "recurse", kDefaultRecurseLimit, kMaxRecurseLimit);
    settings.gOkText = store.ReadIniValue(kCfg, "okmsg", "Zindle - OK", settings.gIniPath);
}

SettingValues CurrentSettingValues(const ProgramSettings& s, const std::string& skinName) {
    SettingValues values;
    const auto write = [&](std::string key, std::string value) {
        values.emplace_back(std::move(key), std::move(value));
    };
    write("UseMain", YesNo(s.gUseMainHotkey));
    write("MainKey", std::to_string(s.gMainKey));
    write("MainShift", std::to_string(s.gMainShift));
    for (int n = 1; n <= 6; ++n) {
        const std::string digit = std::to_string(n);
        const CustomHotkey& hotkey = s.gCustomHotkeys[static_cast<std::size_t>(n - 1)];
        write("Use" + digit, YesNo(hotkey.enabled));
        write("Key" + digit, std::to_string(hotkey.key));
        write("Shift" + digit, std::to_string(hotkey.shift));
    }
    write("CaseSens", YesNo(s.gCaseSensitive));
    write("splash", std::to_string(s.gSplashTime));
    write("skin", skinName);
    write("history", std::to_string(s.gHistoryLength));
    write("recurse", std::to_string(s.gRecurseLimit));
    write("okmsg", s.gOkText);
    return values;
}

bool WriteSettings(ProfileStore& store, const ProgramSettings& s, const std::string& skinName) {
    return store.WriteIniValues(kCfg, CurrentSettingValues(s, skinName), s.gIniPath);
}

}  // namespace zindle
