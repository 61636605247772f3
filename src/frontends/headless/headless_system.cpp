#include "frontends/headless/headless_system.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace zindle {

namespace {

std::string WithoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

}  // namespace

HeadlessSystem::HeadlessSystem(VirtualTime& time, std::string programDirectory, std::string commandLine,
                               bool anotherInstanceRunning)
    : time_(time),
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

std::optional<std::string> HeadlessSystem::RegistryValuePath(const std::string& key) const {
    std::string path = programDirectory_ + "/registry";
    std::size_t start = 0;
    while (true) {
        const std::size_t end = key.find('\\', start);
        const std::string part =
            key.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part.empty() || part == "." || part == ".." ||
            part.find_first_of(std::string("/\0", 2)) != std::string::npos) {
            return std::nullopt;
        }
        path += "/" + part;
        if (end == std::string::npos) {
            return path + "/(default)";
        }
        start = end + 1;
    }
}

std::optional<std::vector<std::uint8_t>> HeadlessSystem::ReadRegistryBinary(const std::string& key) {
    const auto path = RegistryValuePath(key);
    std::error_code error;
    if (!path || !std::filesystem::is_regular_file(*path, error)) {
        return std::nullopt;
    }
    std::ifstream file(*path, std::ios::binary);
    if (!file.is_open()) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> value{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) {
        return std::nullopt;
    }
    return value;
}

bool HeadlessSystem::WriteRegistryBinary(const std::string& key, const std::vector<std::uint8_t>& value) {
    const auto path = RegistryValuePath(key);
    if (!path) {
        return false;
    }
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path target(*path);
    fs::create_directories(target.parent_path(), error);
    if (error) {
        return false;
    }
    const std::string temporary = *path + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(value.data()), static_cast<std::streamsize>(value.size()));
        file.flush();
        if (!file) {
            file.close();
            fs::remove(temporary, error);
            return false;
        }
    }
    fs::rename(temporary, target, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

DateTime HeadlessSystem::Now() { return time_.Now(); }

DateOrder HeadlessSystem::LocaleDateOrder() { return dateOrder_; }

void HeadlessSystem::SetLocaleDateOrder(DateOrder order) { dateOrder_ = order; }

std::uint32_t HeadlessSystem::TickCount() { return time_.TickCount(); }

void HeadlessSystem::Sleep(std::uint32_t milliseconds) { time_.Sleep(milliseconds); }

void HeadlessSystem::DoEvents() { time_.DoEvents(); }

}  // namespace zindle
