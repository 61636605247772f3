// The INI file layer's costs that matter to a user, timed with the system's
// own file calls: it builds for Windows too and runs under Wine there.
//   bench_files [ROUNDS]
// Prints the median of ROUNDS (default 15) for each measure.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "frontends/headless/headless_platform.h"
#include "profile/history_file.h"
#include "profile/private_profile_engine.h"
#include "profile/profile_store.h"
#include "startup/program.h"
#include "temp_dir.h"

namespace {

using namespace zindle;
using Clock = std::chrono::steady_clock;

// The median time of one call of work, in microseconds, each round timing
// `calls` calls.
double MedianMicroseconds(int rounds, int calls, const std::function<void()>& work) {
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        const auto start = Clock::now();
        for (int i = 0; i < calls; ++i) work();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count() / calls);
    }
    std::nth_element(times.begin(), times.begin() + rounds / 2, times.end());
    return times[static_cast<std::size_t>(rounds / 2)];
}

std::vector<std::string> HistoryEntries(int count) {
    std::vector<std::string> entries;
    for (int i = 0; i < count; ++i) entries.push_back("%%open https://example.org/search?q=entry" + std::to_string(i));
    return entries;
}

void HistoryLoad(int rounds) {
    const TempDir dir;
    const std::string path = dir.File("history.ini");
    {
        PrivateProfileEngine engine;
        ProfileStore store(engine);
        if (!SaveHistoryFile(store, path, HistoryEntries(32767))) std::abort();
    }
    std::size_t loaded = 0;
    const double us = MedianMicroseconds(rounds, 1, [&] {
        PrivateProfileEngine engine;  // nothing cached: the file is read and parsed
        ProfileStore store(engine);
        loaded = LoadHistoryFile(store, path).size();
    });
    std::printf("history load, %zu entries: %.2f ms\n", loaded, us / 1000);
}

void HistorySave(int rounds, int count) {
    const TempDir dir;
    const std::string path = dir.File("history.ini");
    std::vector<std::string> entries = HistoryEntries(count);
    PrivateProfileEngine engine;
    ProfileStore store(engine);
    int next = 0;
    const double us = MedianMicroseconds(rounds, 1, [&] {
        entries.front() = "%%msg " + std::to_string(next++);  // a new command each time
        SaveHistoryFile(store, path, entries);
    });
    std::printf("history save, %d entries: %.2f ms\n", count, us / 1000);
}

void ResolveUserWord(int rounds, int tableSize) {
    const TempDir dir;
    {
        std::ofstream ini(dir.File("zindle.ini"), std::ios::binary);
        ini << "[cmds]\n";
        for (int i = 0; i < tableSize; ++i) ini << "w" << i << "=%%noop\n";
    }
    HeadlessOptions options;
    options.programDirectory = dir.Path().string();
    HeadlessPlatform platform(options, [](const std::string&) {});
    Platform bundle = platform.Bundle();
    Program program(bundle);
    if (!program.StartupMain()) std::abort();
    // The last word in the file, with arguments, as typed.
    const std::string line = "w" + std::to_string(tableSize - 1) + " some arguments";
    const double us = MedianMicroseconds(rounds, 2000, [&] { program.interpreter.RunCommand(line); });
    std::printf("resolve a user word, %d entries: %.2f us\n", tableSize, us);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    HistoryLoad(rounds);
    HistorySave(rounds, 128);
    HistorySave(rounds, 2048);
    ResolveUserWord(rounds, 10000);
    return 0;
}
