#pragma once
// System services of the headless platform: virtual time, a clipboard held
// in memory, a hotkey table instead of the desktop's, and registry values as
// files under the program directory.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/headless/virtual_time.h"
#include "platform/system.h"

namespace zindle {

struct HotkeyRegistration {
    int id = 0;
    int keyCode = 0;
    int modifiers = 0;
    bool operator==(const HotkeyRegistration&) const = default;
};

class HeadlessSystem final : public System {
public:
    // time must outlive this object. A trailing '/' on programDirectory is
    // dropped (except for "/" itself).
    HeadlessSystem(VirtualTime& time, std::string programDirectory, std::string commandLine,
                   bool anotherInstanceRunning);

    std::string ProgramDirectory() override;
    char PathSeparator() const override;
    std::string CommandLine() override;
    bool AnotherInstanceRunning() override;

    std::string ClipboardText() override;
    void SetClipboardText(std::string text);

    // Fails for key code 0, for a key combination taken by another program
    // (TakeHotkey) or already registered here, and for an id in use.
    bool RegisterHotkey(int id, int keyCode, int modifiers) override;
    void UnregisterHotkey(int id) override;
    // Marks a key combination as held by another program.
    void TakeHotkey(int keyCode, int modifiers);
    // The current registrations, sorted by id.
    std::vector<HotkeyRegistration> Hotkeys() const;

    // The value of key "A\B\C" is the file "registry/A/B/C/(default)" under
    // the program directory. Key names with empty, "." or ".." parts, or with
    // '/' in them, have no value and cannot be written.
    std::optional<std::vector<std::uint8_t>> ReadRegistryBinary(const std::string& key) override;
    // Written to a temporary file first and renamed over the old value.
    bool WriteRegistryBinary(const std::string& key, const std::vector<std::uint8_t>& value) override;

    DateTime Now() override;
    // MonthDayYear unless set otherwise.
    DateOrder LocaleDateOrder() override;
    void SetLocaleDateOrder(DateOrder order);
    std::uint32_t TickCount() override;
    void Sleep(std::uint32_t milliseconds) override;
    void DoEvents() override;

private:
    std::optional<std::string> RegistryValuePath(const std::string& key) const;

    VirtualTime& time_;
    std::string programDirectory_;
    std::string commandLine_;
    bool anotherInstanceRunning_;
    std::string clipboard_;
    std::vector<HotkeyRegistration> hotkeys_;
    std::set<std::pair<int, int>> takenHotkeys_;
    DateOrder dateOrder_ = DateOrder::MonthDayYear;
};

}  // namespace zindle
