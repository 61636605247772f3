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

    // The exe's directory; when that is not writable and holds no zindle.ini
    // (installed under Program Files), %APPDATA%\Zindle, so settings and
    // history are never silently lost.
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

// The full path of the running exe.
std::wstring ExePath();
// The directory of the running exe, without a trailing backslash.
std::string ExeDirectory();

}  // namespace zindle
