#include "platform/posix/registry_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace zindle {

std::optional<std::string> RegistryValuePath(const std::string& root, const std::string& key) {
    std::string path = root + "/registry";
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

std::optional<std::vector<std::uint8_t>> ReadRegistryFile(const std::string& root, const std::string& key) {
    const auto path = RegistryValuePath(root, key);
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

bool WriteRegistryFile(const std::string& root, const std::string& key, const std::vector<std::uint8_t>& value) {
    const auto path = RegistryValuePath(root, key);
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

}  // namespace zindle
