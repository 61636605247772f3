#include "frontends/headless/headless_system.h"

#include <filesystem>

namespace zindle {

namespace {

std::string WithoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

}  // namespace

HeadlessSystem::HeadlessSystem(VirtualTime& time, HeadlessStorage& storage, std::string programDirectory,
                               std::string commandLine, bool anotherInstanceRunning)
    : time_(time),
      storage_(storage),
      programDirectory_(WithoutTrailingSeparators(std::move(programDirectory))),
      commandLine_(std::move(commandLine)),
      anotherInstanceRunning_(anotherInstanceRunning) {}

std::string HeadlessSystem::ProgramDirectory() { return programDirectory_; }

char HeadlessSystem::PathSeparator() const {
    return static_cast<char>(std::filesystem::path::preferred_separator);
}

std::string HeadlessSystem::CommandLine() { return commandLine_; }

bool HeadlessSystem::AnotherInstanceRunning() { return anotherInstanceRunning_; }

std::string HeadlessSystem::ClipboardText() { return clipboard_; }

void HeadlessSystem::SetClipboardText(std::string text) { clipboard_ = std::move(text); }

std::optional<std::vector<std::uint8_t>> HeadlessSystem::ReadRegistryBinary(const std::string& key) {
    return storage_.ReadRegistryValue(programDirectory_, key);
}

bool HeadlessSystem::WriteRegistryBinary(const std::string& key, const std::vector<std::uint8_t>& value) {
    return storage_.WriteRegistryValue(programDirectory_, key, value);
}

DateTime HeadlessSystem::Now() { return time_.Now(); }

DateOrder HeadlessSystem::LocaleDateOrder() { return dateOrder_; }

void HeadlessSystem::SetLocaleDateOrder(DateOrder order) { dateOrder_ = order; }

std::uint32_t HeadlessSystem::TickCount() { return time_.TickCount(); }

void HeadlessSystem::Sleep(std::uint32_t milliseconds) { time_.Sleep(milliseconds); }

void HeadlessSystem::DoEvents() { time_.DoEvents(); }

}  // namespace zindle
