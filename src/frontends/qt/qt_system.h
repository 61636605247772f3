#pragma once
// Process-wide services on Linux: the program directory, the one-instance
// lock, the clipboard, the registry block as a file in the user's
// configuration folder, the clock and the message loop.

#include <string>

#include "platform/system.h"

namespace zindle {

class QtSystem final : public System {
public:
    // programDirectory without a trailing '/'; registryRoot is the folder the
    // registry/ tree lives in; guidePath the installed user's guide.
    QtSystem(std::string programDirectory, std::string commandLine, std::string registryRoot,
             std::string guidePath, std::string lockPath);
    ~QtSystem() override;
    QtSystem(const QtSystem&) = delete;
    QtSystem& operator=(const QtSystem&) = delete;

    std::string ProgramDirectory() override { return programDirectory_; }
    char PathSeparator() const override { return '/'; }
    std::string CommandLine() override { return commandLine_; }
    // Takes the lock file for the rest of the process's life; a lock that
    // cannot even be created counts as no other instance.
    bool AnotherInstanceRunning() override;
    // The clipboard's text, else the primary selection's; empty for an image.
    std::string ClipboardText() override;
    std::optional<std::vector<std::uint8_t>> ReadRegistryBinary(const std::string& key) override;
    bool WriteRegistryBinary(const std::string& key, const std::vector<std::uint8_t>& value) override;
    DateTime Now() override;
    DateOrder LocaleDateOrder() override;
    std::uint32_t TickCount() override;
    void Sleep(std::uint32_t milliseconds) override;
    void DoEvents() override;
    // The settings file opens in the desktop's text editor; help and readme
    // open the installed guide.
    DefaultCommandLines DefaultCommands(const std::string& iniPath, const std::string& appPath) override;

private:
    std::string programDirectory_;
    std::string commandLine_;
    std::string registryRoot_;
    std::string guidePath_;
    std::string lockPath_;
    int lockFile_ = -1;
};

}  // namespace zindle
