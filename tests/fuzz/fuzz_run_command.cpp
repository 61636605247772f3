// RunCommand on random command lines against a random command table, the
// whole program running on the headless platform in a fresh program
// directory. Every run must end, the nesting counter must never pass the
// limit, and nothing may be written outside the program directory.

#include <unistd.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "bar/form1.h"
#include "fuzz_program.h"
#include "fuzz_support.h"
#include "frontends/headless/headless_platform.h"
#include "profile/program_settings.h"
#include "startup/program.h"

namespace zindle::fuzz {
namespace {

const std::vector<std::string> kTokens = {
    "%%parse", "%%macro", "%%save", "%%delete", "%%msg", "%%noop", "%%err", "%%setvar", "_MAX_RECURSE",
    "_OK_TEXT", "_HISTORY_LENGTH", "%%show", "%%showbox", "%%forget", "%%forgetlike", "%%clock", "A",
    "mode", "countdown", "switch", "on", "off", "0:00:01", "%%skin", "%%sleep", "1500", "%%flash", "%%up",
    "%%down", "%%open", "%%w3", "%%exe", "%%wav", "%%msgbox", "%%about", "%%debug", "%%quit", "%%hotkeys",
    "%%1", "%%2", "%%10", "%%@", "||", "|", "a", "b", "c", "loop", "$fallback", "..", "/", "*", "\xC2\xAC",
    "\xAC", "http://x.example/?q=", "-5", "300", ""};
const std::vector<std::string> kWords = {"a", "b", "c", "loop", "$fallback", "!onload", "!onclock-A", "A", "x"};

// A macro piece may run a word whose macro runs it again: a table of words
// that each run several others makes the work grow exponentially with its
// depth, as the user asked for. Capping the bars keeps runs short.
constexpr int kMaxBars = 12;

std::string Line(FuzzedDataProvider& data, int& bars) {
    std::string line;
    for (int count = data.ConsumeIntegralInRange(0, 8); count > 0; --count) {
        std::string token = PickText(data, kTokens, 8);
        for (char& c : token) {
            if (c == '\r' || c == '\n') c = ' ';
            if (c == '|' && ++bars > kMaxBars) c = '/';
        }
        if (!line.empty() && data.ConsumeIntegralInRange(0, 3) != 0) line += ' ';
        line += token;
    }
    return line;
}

}  // namespace
}  // namespace zindle::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Anything written relative to the working directory would land here.
    const std::filesystem::path cwd = zindle::fuzz::FreshDirectory("cwd");
    return ::chdir(cwd.c_str());
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace zindle;
    using namespace zindle::fuzz;
    FuzzedDataProvider data(bytes, size);
    const FreshMemoryFiles files;
    const std::string programDir = FreshProgramDirectory();

    int bars = 0;
    std::string ini = std::string("[cfg]\nsplash=0\nedge=b\n") + kSavedSettings;
    ini += "recurse=" + (data.ConsumeBool() ? std::to_string(data.ConsumeIntegralInRange(-3, 300)) : "32") + "\n";
    ini += "[cmds]\n" + DefaultCommands(programDir);
    for (int entries = data.ConsumeIntegralInRange(0, 10); entries > 0; --entries) {
        std::string key = PickText(data, kWords, 6);
        std::replace_if(key.begin(), key.end(), [](char c) { return c == '=' || c == '\r' || c == '\n'; }, '_');
        ini += key + "=" + Line(data, bars) + "\n";
    }
    std::vector<std::string> lines;
    for (int count = data.ConsumeIntegralInRange(1, 5); count > 0; --count) lines.push_back(Line(data, bars));
    WriteMemoryFile(programDir + "/zindle.ini", ini);
    const bool limitCanChange = ini.find("%%setvar") != std::string::npos ||
                                std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
                                    return line.find("%%setvar") != std::string::npos;
                                });

    HeadlessPlatform platform(InMemory(programDir), [](const std::string&) {});
    Platform bundle = platform.Bundle();
    std::unique_ptr<Program> program;
    int bound = kMaxRecurseLimit;
    const auto checkDepth = [&] {
        if (program) FUZZ_CHECK(program->interpreter.Depth() >= 0 && program->interpreter.Depth() <= bound);
    };
    // The status line changes at every step of a command, and every nested
    // command shows something on it sooner or later.
    platform.windows.SetLabelChangeHandler([&](const HeadlessLabel&) { checkDepth(); });
    program = std::make_unique<Program>(bundle);
    if (program->StartupMain()) {
        if (!limitCanChange) bound = std::max<int>(program->settings.gRecurseLimit, 0);
        for (const std::string& line : lines) {
            if (program->Ended()) break;
            program->interpreter.gMessageShown = false;
            program->interpreter.gCommandFailed = false;
            program->interpreter.RunCommand(line);
            checkDepth();
        }
        if (!program->Ended()) program->bar()->Unload();
    }
    program.reset();

    CheckNothingOutside(programDir);
    return 0;
}
