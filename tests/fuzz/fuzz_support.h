#pragma once
// What the fuzz targets share: checks that hold in every build type, a
// scratch directory per process, and listings of what a run left behind.

#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

namespace zindle::fuzz {

// Aborts, so that libFuzzer keeps the input that broke the property.
[[noreturn]] inline void Fail(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: property violated: %s\n", file, line, condition);
    std::abort();
}

#define FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : ::zindle::fuzz::Fail(#condition, __FILE__, __LINE__))

// This process's scratch directory under $TMPDIR, removed when the process
// exits normally. The path lives on the heap so that it outlives every
// static destructor that runs before the removal.
inline const std::filesystem::path& ScratchRoot() {
    static const std::filesystem::path* const root = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "zindle-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        return new std::filesystem::path(pattern);
    }();
    static const bool removedAtExit = std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(*root, ignored);
    }) == 0;
    (void)removedAtExit;
    return *root;
}

// An empty directory ScratchRoot()/name, emptied first when an earlier run left it.
inline std::filesystem::path FreshDirectory(std::string_view name) {
    const std::filesystem::path dir = ScratchRoot() / name;
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
    std::filesystem::create_directories(dir);
    return dir;
}

// Every path below dir, relative to it, sorted; symbolic links are not followed.
inline std::vector<std::string> Tree(const std::filesystem::path& dir) {
    std::vector<std::string> paths;
    std::error_code error;
    // Every entry's path starts with dir's; std::filesystem::relative would
    // resolve links, a system call per name.
    const std::size_t prefix = (dir / "").string().size();
    for (auto it = std::filesystem::recursive_directory_iterator(dir, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        paths.push_back(it->path().string().substr(prefix));
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

// One of the given texts, or (for an index past them) a short random one.
inline std::string PickText(FuzzedDataProvider& data, const std::vector<std::string>& choices,
                            std::size_t randomLength = 12) {
    const std::size_t index = data.ConsumeIntegralInRange<std::size_t>(0, choices.size());
    return index < choices.size() ? choices[index] : data.ConsumeRandomLengthString(randomLength);
}

}  // namespace zindle::fuzz
