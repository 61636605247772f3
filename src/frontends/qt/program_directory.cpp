#include "frontends/qt/program_directory.h"

#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <system_error>

namespace zindle {

namespace {

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

std::string UserConfigDirectory(const char* xdgConfigHome, const char* home) {
    if (xdgConfigHome && xdgConfigHome[0] == '/') return WithoutTrailingSlash(xdgConfigHome) + "/zindle";
    if (home && home[0] == '/') return WithoutTrailingSlash(home) + "/.config/zindle";
    return {};
}

std::string ChooseProgramDirectory(const std::string& executableDirectory, const std::string& configDirectory) {
    std::error_code error;
    const std::string portable = WithoutTrailingSlash(executableDirectory);
    // A share/zindle beside the folder marks the bin/ of an install prefix,
    // writable or not (~/.local/bin).
    const bool installed = std::filesystem::is_directory(portable + "/../share/zindle", error);
    if (std::filesystem::is_regular_file(portable + "/zindle.ini", error) ||
        (!installed && access(portable.c_str(), W_OK) == 0) || configDirectory.empty()) {
        return portable;
    }
    std::filesystem::create_directories(configDirectory, error);
    return WithoutTrailingSlash(configDirectory);
}

std::string InstanceLockPath(const char* runtimeDirectory, unsigned userId, const char* display) {
    // ":0", ":0.0" and "unix:0" are one display; another host's ":0" is not.
    std::string name = display ? display : "";
    if (name.starts_with("unix:")) name.erase(0, 4);
    const std::size_t colon = name.rfind(':');
    const std::size_t screen = name.find('.', colon == std::string::npos ? 0 : colon);
    if (colon != std::string::npos && screen != std::string::npos) name.erase(screen);
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-') c = '_';
    }
    const std::string file = "zindle-" + name + ".lock";
    if (runtimeDirectory && runtimeDirectory[0] == '/') return WithoutTrailingSlash(runtimeDirectory) + "/" + file;
    return "/tmp/zindle-" + std::to_string(userId) + "-" + name + ".lock";
}

bool SeedSampleSkins(const std::string& programDirectory, const std::string& installedSkins) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path target = fs::path(programDirectory) / "skins";
    if (fs::exists(target, error) || !fs::is_directory(installedSkins, error)) return false;
    fs::copy(installedSkins, target, fs::copy_options::recursive, error);
    return !error;
}

}  // namespace zindle
