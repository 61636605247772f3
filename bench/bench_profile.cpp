// Lookups and writes through ProfileStore on the portable engine, with
// command tables of realistic and of extreme size.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "profile/history_file.h"
#include "profile/private_profile_engine.h"
#include "profile/profile_store.h"

namespace {

// A zindle.ini with `keys` commands in section cmds, in a fresh directory
// that is removed again when the benchmark ends.
class CommandTable {
public:
    explicit CommandTable(int keys) {
        std::string pattern = (std::filesystem::temp_directory_path() / "zindle-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        directory_ = pattern;
        path_ = directory_ + "/zindle.ini";
        std::ofstream out(path_, std::ios::binary);
        out << "[cfg]\nsplash=0\n[cmds]\n";
        for (int i = 0; i < keys; ++i) out << "word" << i << "=%%open https://example.org/search?q=$1&n=" << i << "\n";
    }
    ~CommandTable() { std::filesystem::remove_all(directory_); }
    const std::string& Path() const { return path_; }

private:
    std::string directory_;
    std::string path_;
};

void BM_ReadIniValue(benchmark::State& state) {
    const int keys = static_cast<int>(state.range(0));
    const CommandTable table(keys);
    zindle::PrivateProfileEngine engine;
    zindle::ProfileStore store(engine);
    const std::string word = "WORD" + std::to_string(keys / 2);
    for (auto _ : state) benchmark::DoNotOptimize(store.ReadIniValue("cmds", word, "", table.Path()));
}
BENCHMARK(BM_ReadIniValue)->Arg(100)->Arg(10000);

void BM_ReadIniValueMissing(benchmark::State& state) {
    const CommandTable table(static_cast<int>(state.range(0)));
    zindle::PrivateProfileEngine engine;
    zindle::ProfileStore store(engine);
    for (auto _ : state) benchmark::DoNotOptimize(store.ReadIniValue("cmds", "nosuchword", "", table.Path()));
}
BENCHMARK(BM_ReadIniValueMissing)->Arg(100)->Arg(10000);

// Every call is a full read-modify-write: lock, re-read, rewrite, fsync, rename.
void BM_WriteIniValue(benchmark::State& state) {
    const CommandTable table(static_cast<int>(state.range(0)));
    zindle::PrivateProfileEngine engine;
    zindle::ProfileStore store(engine);
    int i = 0;
    for (auto _ : state) store.WriteIniValue("cmds", "word7", table.Path(), std::to_string(i++ % 10));
}
BENCHMARK(BM_WriteIniValue)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

// The first read of a table: what every lookup would cost without the cache.
void BM_ReadIniValueUncached(benchmark::State& state) {
    const CommandTable table(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        zindle::PrivateProfileEngine engine;
        zindle::ProfileStore store(engine);
        benchmark::DoNotOptimize(store.ReadIniValue("cmds", "word1", "", table.Path()));
    }
}
BENCHMARK(BM_ReadIniValueUncached)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

// One pending save of the history: the whole section rewritten, as the bar
// does shortly after each command (atomically: temporary file, fsync, rename).
void BM_SaveHistory(benchmark::State& state) {
    const CommandTable table(0);
    const std::string path = (std::filesystem::path(table.Path()).parent_path() / "history.ini").string();
    std::vector<std::string> entries;
    for (int i = 0; i < state.range(0); ++i) {
        entries.push_back("%%open https://example.org/search?q=entry+" + std::to_string(i));
    }
    zindle::PrivateProfileEngine engine;
    zindle::ProfileStore store(engine);
    int run = 0;
    for (auto _ : state) {
        entries.front() = "calc " + std::to_string(run++);
        if (!zindle::SaveHistoryFile(store, path, entries)) state.SkipWithError("the save failed");
    }
}
BENCHMARK(BM_SaveHistory)->Arg(128)->Arg(2048)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
