#pragma once
// Process-wide services: where the program lives, time, the clipboard, the
// registry block and the message loop. (Hotkeys belong to a window: see
// NativeWindow.)

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace zindle {

// The command lines start-up writes for "cfg", "help" and "readme" when the
// command table has none.
struct DefaultCommandLines {
    std::string cfg;
    std::string help;
    std::string readme;
};

// The order of day, month and year in the user's short date format.
enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

class System {
public:
    virtual ~System() = default;

    // The executable's directory as the platform reports it, without a
    // trailing separator (except for a root such as "C:\" or "/").
    virtual std::string ProgramDirectory() = 0;
    // The path separator of this platform: '\\' on Windows, '/' elsewhere.
    virtual char PathSeparator() const = 0;
    // The program's command line after the program name, as one text.
    virtual std::string CommandLine() = 0;
    // True when another instance of this program is already running. Called
    // once, before any file is touched.
    virtual bool AnotherInstanceRunning() = 0;

    virtual std::string ClipboardText() = 0;

    // The unnamed binary value of HKEY_CURRENT_USER\<key>; nullopt when missing.
    virtual std::optional<std::vector<std::uint8_t>> ReadRegistryBinary(const std::string& key) = 0;
    virtual bool WriteRegistryBinary(const std::string& key, const std::vector<std::uint8_t>& value) = 0;

    // The current local date and time.
    virtual DateTime Now() = 0;
    virtual DateOrder LocaleDateOrder() = 0;
    // Milliseconds since an arbitrary start, wrapping at 2^32.
    virtual std::uint32_t TickCount() = 0;
    // Suspends the thread; nothing repaints and no timer runs meanwhile.
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    // Lets every pending window message and due timer run once.
    virtual void DoEvents() = 0;

    // iniPath is the settings file; appPath the program directory with its
    // trailing separator. The lines name the Windows editor and help files;
    // a system without them names its own.
    virtual DefaultCommandLines DefaultCommands(const std::string& iniPath, const std::string& appPath) {
        return {"exe notepad.exe \"" + iniPath + "\"", "%%open " + appPath + "zindle.chm",
                "%%open " + appPath + "readme.txt"};
    }
};

}  // namespace zindle
