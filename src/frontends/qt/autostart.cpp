#include "frontends/qt/autostart.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace zindle {

namespace {

// Exec's quoting: in double quotes, with '"', '`', '$' and '\' escaped by a
// backslash, and '%' doubled (field codes); the file's own escaping then
// doubles every backslash.
std::string QuotedExec(const std::string& path) {
    std::string quoted = "\"";
    for (const char c : path) {
        if (c == '\\') quoted += "\\\\\\\\";
        else if (c == '"' || c == '`' || c == '$') quoted += std::string("\\\\") + c;
        else if (c == '%') quoted += "%%";
        else quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

std::string AutostartEntryPath(const char* xdgConfigHome, const char* home) {
    if (xdgConfigHome && xdgConfigHome[0] == '/') return std::string(xdgConfigHome) + "/autostart/zindle.desktop";
    if (home && home[0] == '/') return std::string(home) + "/.config/autostart/zindle.desktop";
    return {};
}

std::string AutostartEntry(const std::string& executable) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Zindle\n"
           "Comment=Keyboard-driven command bar docked along the screen edge\n"
           "Exec=" + QuotedExec(executable) + "\n"
           "Icon=zindle\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

std::string SetAutostart(bool on, const std::string& entryPath, const std::string& executable) {
    namespace fs = std::filesystem;
    if (entryPath.empty()) return "neither XDG_CONFIG_HOME nor HOME is an absolute path";
    if (executable.find_first_of("\n\r") != std::string::npos) return "the program's path has a line break";
    std::error_code error;
    if (!on) {
        fs::remove(entryPath, error);
        return error ? error.message() : std::string();
    }
    fs::create_directories(fs::path(entryPath).parent_path(), error);
    if (error) return error.message();
    // Written beside and renamed, so that a session never reads half an entry.
    const std::string partial = entryPath + ".part";
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        file << AutostartEntry(executable);
        if (!file.flush()) {
            fs::remove(partial, error);
            return "can't write " + partial;
        }
    }
    fs::rename(partial, entryPath, error);
    return error ? error.message() : std::string();
}

}  // namespace zindle
