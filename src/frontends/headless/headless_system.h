#pragma once
// System services of the headless platform: virtual time, a clipboard held
// in memory and registry values kept by a HeadlessStorage under the program
// directory.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "frontends/headless/headless_storage.h"
#include "frontends/headless/virtual_time.h"
#include "platform/system.h"

namespace zindle {

class HeadlessSystem final : public System {
public:
    // time and storage must outlive this object. A trailing '/' on
    // programDirectory is dropped (except for "/" itself).
    HeadlessSystem(VirtualTime& time, HeadlessStorage& storage, std::string programDirectory,
                   std::string commandLine, bool anotherInstanceRunning);

    std::string ProgramDirectory() override;
    char PathSeparator() const override;
    std::string CommandLine() override;
    bool AnotherInstanceRunning() override;

    std::string ClipboardText() override;
    void SetClipboardText(std::string text);

    // The value of key "A\B\C" is the file "registry/A/B/C/(default)" under
    // the program directory. Key names with empty, "." or ".." parts, or with
    // '/' in them, have no value and cannot be written.
    std::optional<std::vector<std::uint8_t>> ReadRegistryBinary(const std::string& key) override;
    bool WriteRegistryBinary(const std::string& key, const std::vector<std::uint8_t>& value) override;

    DateTime Now() override;
    // MonthDayYear unless set otherwise.
    DateOrder LocaleDateOrder() override;
    void SetLocaleDateOrder(DateOrder order);
    std::uint32_t TickCount() override;
    void Sleep(std::uint32_t milliseconds) override;
    void DoEvents() override;

private:
    VirtualTime& time_;
    HeadlessStorage& storage_;
    std::string programDirectory_;
    std::string commandLine_;
    bool anotherInstanceRunning_;
    std::string clipboard_;
    DateOrder dateOrder_ = DateOrder::MonthDayYear;
};

}  // namespace zindle
