#include "frontends/qt/program_directory.h"

#include <unistd.h>

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
    if (std::filesystem::is_regular_file(portable + "/zindle.ini", error) ||
        access(portable.c_str(), W_OK) == 0 || configDirectory.empty()) {
        return portable;
    }
    std::filesystem::create_directories(configDirectory, error);
    return WithoutTrailingSlash(configDirectory);
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
