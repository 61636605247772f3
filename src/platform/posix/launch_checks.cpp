#include "platform/posix/launch_checks.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace zindle {

namespace {

constexpr int kShellSuccess = 33;
constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool IsExecutableFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && access(path.c_str(), X_OK) == 0;
}

// The directories a program name is looked up in, as execvp does: PATH, or
// the C library's default search path when PATH is unset.
std::string SearchPath() {
    const char* path = std::getenv("PATH");
    return path ? path : "/bin:/usr/bin";
}

}  // namespace

bool IsUrl(std::string_view text) {
    if (text.empty() || !IsAsciiLetter(text[0])) {
        return false;
    }
    std::size_t pos = 1;
    while (pos < text.size()) {
        const char c = text[pos];
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '+' && c != '.' && c != '-') {
            break;
        }
        ++pos;
    }
    return pos >= 2 && pos < text.size() && text[pos] == ':';
}

int ClassifyOpenTarget(const std::string& target) {
    // A NUL would cut the path short in the system calls below.
    if (target.empty() || target.find('\0') != std::string::npos) {
        return kFileNotFound;
    }
    if (IsUrl(target)) {
        return kShellSuccess;
    }
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path path(target);
    if (fs::exists(path, error)) {
        return kShellSuccess;
    }
    // "dir/missing/" names the entry "missing" in "dir".
    while (!path.has_filename() && path.has_relative_path()) {
        path = path.parent_path();
    }
    fs::path folder = path.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    return fs::is_directory(folder, error) ? kFileNotFound : kPathNotFound;
}

std::optional<std::string> FindProgram(const std::string& name) {
    if (name.empty() || name.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    if (name.find('/') != std::string::npos) {
        if (IsExecutableFile(name)) {
            return name;
        }
        return std::nullopt;
    }
    const std::string path = SearchPath();
    std::size_t start = 0;
    while (true) {
        const std::size_t end = path.find(':', start);
        const std::string_view folder =
            std::string_view(path).substr(start, end == std::string::npos ? end : end - start);
        std::string candidate(folder.empty() ? std::string_view(".") : folder);
        candidate.append("/").append(name);
        if (IsExecutableFile(candidate)) {
            return candidate;
        }
        if (end == std::string::npos) {
            return std::nullopt;
        }
        start = end + 1;
    }
}

}  // namespace zindle
