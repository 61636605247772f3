#pragma once
// Process-wide services of Windows: where the program keeps its files, the
// command line, the instance mutex, the clipboard, the registry, time and
// the message loop run once.

#include <string>

#include "platform/system.h"

namespace zindle {

class Win32System : public System {
public:
    // commandLine: the program's command line after its name.
    explicit Win32System(std::string commandLine);
    ~Win32System() override;
    Win32System(const Win32System&) = delete;
    Win32System& operator=(const Win32System&) = delete;

    // The exe's directory; %APPDATA%\Zindle instead for an installed copy:
    // one the installer marked (kInstalledMarker beside the exe), or one in
    // a folder that is not writable and holds no zindle.ini (as under
    // Program Files), so settings and history are never silently lost.
    // That folder gets the sample skins and the guide at the first start.
    std::string ProgramDirectory() override;
    char PathSeparator() const override { return '\\'; }
    std::string CommandLine() override { return commandLine_; }
    bool AnotherInstanceRunning() override;
    std::string ClipboardText() override;
    std::optional<std::vector<std::uint8_t>> ReadRegistryBinary(const std::string& key) override;
    bool WriteRegistryBinary(const std::string& key, const std::vector<std::uint8_t>& value) override;
    DateTime Now() override;
    DateOrder LocaleDateOrder() override;
    std::uint32_t TickCount() override;
    void Sleep(std::uint32_t milliseconds) override;
    void DoEvents() override;

private:
    std::string commandLine_;
    std::string programDirectory_;
    void* instanceMutex_ = nullptr;
    std::optional<bool> anotherInstance_;
};

// The file the installer leaves beside the exe it installed.
inline constexpr wchar_t kInstalledMarker[] = L"zindle.installed";

// Copies the sample skins and the guide (readme.txt) from an installed
// program's folder into the folder it keeps its files in, leaving every file
// that is there already as it is. False when something could not be copied.
bool SeedProgramDirectory(const std::wstring& installDirectory, const std::wstring& programDirectory);

// The full path of the running exe.
std::wstring ExePath();
// The directory of the running exe, without a trailing backslash.
std::string ExeDirectory();

}  // namespace zindle
