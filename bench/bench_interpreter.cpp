// How long resolving a user word takes as the command table grows, and how
// long the headless program takes from start to its first command.

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "frontends/headless/headless_platform.h"
#include "startup/program.h"

namespace {

class ScratchDir {
public:
    explicit ScratchDir(int tableSize) {
        std::string pattern = (std::filesystem::temp_directory_path() / "zindle-bench-XXXXXX").string();
        if (mkdtemp(pattern.data())) path = pattern;
        std::ofstream ini(path + "/zindle.ini", std::ios::binary);
        ini << "[cmds]\n";
        for (int i = 0; i < tableSize; ++i) ini << "w" << i << "=%%noop\n";
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};

zindle::HeadlessOptions Options(const std::string& dir) {
    zindle::HeadlessOptions options;
    options.programDirectory = dir;
    return options;
}

void BM_ResolveUserWord(benchmark::State& state) {
    const int tableSize = static_cast<int>(state.range(0));
    ScratchDir dir(tableSize);
    zindle::HeadlessPlatform platform(Options(dir.path), [](const std::string&) {});
    zindle::Platform bundle = platform.Bundle();
    zindle::Program program(bundle);
    program.StartupMain();
    // The last word in the file: the lookup cannot stop early.
    const std::string line = "w" + std::to_string(tableSize - 1) + " some arguments";
    for (auto _ : state) {
        program.interpreter.RunCommand(line);
    }
}
BENCHMARK(BM_ResolveUserWord)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_StartupToFirstCommand(benchmark::State& state) {
    ScratchDir dir(100);
    for (auto _ : state) {
        zindle::HeadlessPlatform platform(Options(dir.path), [](const std::string&) {});
        zindle::Platform bundle = platform.Bundle();
        zindle::Program program(bundle);
        program.StartupMain();
        program.interpreter.RunCommand("w1");
    }
}
BENCHMARK(BM_StartupToFirstCommand)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
