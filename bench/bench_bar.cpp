// Completion on every key press, the history file at its largest, and
// loading a sample skin.

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "bar/command_history.h"
#include "bar/form1.h"
#include "frontends/headless/headless_platform.h"
#include "profile/private_profile_engine.h"
#include "profile/history_file.h"
#include "startup/program.h"

namespace {

class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zindle-bench-XXXXXX").string();
        if (mkdtemp(pattern.data())) path = pattern;
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};

// 2,048 distinct lines of 200 characters that share long prefixes, so a
// completion has to look at every one of them.
std::vector<std::string> FullHistory() {
    std::vector<std::string> entries;
    for (int i = 0; i < 2048; ++i) {
        std::string line = "%%w3 http://search.example/?q=" + std::to_string(i) + " ";
        line.resize(200, 'x');
        entries.push_back(line);
    }
    return entries;
}

void BM_FindCompletion(benchmark::State& state) {
    zindle::History history;
    history.gHistory = FullHistory();
    const bool caseSensitive = state.range(0) != 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            zindle::FindCompletion(history, "%%w3 http://search.example/?q=1", caseSensitive));
    }
}
BENCHMARK(BM_FindCompletion)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_SaveAndLoadHistory(benchmark::State& state) {
    ScratchDir dir;
    zindle::PrivateProfileEngine engine;
    zindle::ProfileStore store(engine);
    const std::string path = dir.path + "/history.ini";
    const std::vector<std::string> entries = FullHistory();
    for (auto _ : state) {
        zindle::SaveHistoryFile(store, path, entries);
        benchmark::DoNotOptimize(zindle::LoadHistoryFile(store, path));
    }
}
BENCHMARK(BM_SaveAndLoadHistory)->Unit(benchmark::kMillisecond);

void BM_LoadHistory(benchmark::State& state) {
    ScratchDir dir;
    zindle::PrivateProfileEngine engine;
    zindle::ProfileStore store(engine);
    const std::string path = dir.path + "/history.ini";
    zindle::SaveHistoryFile(store, path, FullHistory());
    for (auto _ : state) benchmark::DoNotOptimize(zindle::LoadHistoryFile(store, path));
}
BENCHMARK(BM_LoadHistory)->Unit(benchmark::kMillisecond);

void BM_LoadSampleSkin(benchmark::State& state) {
    ScratchDir dir;
    std::filesystem::copy(ZINDLE_SOURCE_DIR "/skins", dir.path + "/skins",
                          std::filesystem::copy_options::recursive);
    zindle::HeadlessOptions options;
    options.programDirectory = dir.path;
    zindle::HeadlessPlatform platform(options, [](const std::string&) {});
    zindle::Platform bundle = platform.Bundle();
    zindle::Program program(bundle);
    program.StartupMain();
    for (auto _ : state) program.bar()->skinning().LoadSkin("midnight");
}
BENCHMARK(BM_LoadSampleSkin)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
