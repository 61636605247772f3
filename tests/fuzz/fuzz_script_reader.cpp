// The headless front end's script reader on random scripts, in a fresh
// program directory each run: start-up, then every line, then the end of
// the program. It must neither crash nor write outside the program
// directory.

#include <unistd.h>

#include <charconv>
#include <iostream>
#include <sstream>
#include <string>

#include "fuzz_program.h"
#include "fuzz_support.h"

namespace {

// "wait" runs every timer occurrence in turn, so its cost grows with the
// time asked for: a script asking for centuries of virtual time with a clock
// running takes its while by design. Longer waits are cut to this.
constexpr std::uint64_t kMaxWait = 1'000'000;

std::string CapWaits(const std::string& script) {
    std::istringstream in(script);
    std::string out;
    for (std::string line; std::getline(in, line);) {
        std::uint64_t milliseconds = 0;
        if (line.starts_with("wait ")) {
            const char* begin = line.data() + 5;
            const char* stop = line.data() + line.size();
            const auto [end, error] = std::from_chars(begin, stop, milliseconds);
            if (error == std::errc::result_out_of_range || (error == std::errc() && milliseconds > kMaxWait)) {
                line = "wait " + std::to_string(kMaxWait) + std::string(end, stop);
            }
        }
        out += line + "\n";
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::cerr.rdbuf(nullptr);  // the reader's complaints about unknown lines
    const std::filesystem::path cwd = zindle::fuzz::FreshDirectory("cwd");
    return ::chdir(cwd.c_str());
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace zindle;
    using namespace zindle::fuzz;
    const FreshMemoryFiles files;
    const std::string programDir = FreshProgramDirectory();
    WriteMemoryFile(programDir + "/zindle.ini",
                    std::string("[cfg]\nsplash=0\nedge=b\nrecurse=32\n") + kSavedSettings + "[cmds]\n" +
                        DefaultCommands(programDir) +
                        "say=%%parse %%msg %%2 %%1||\n!onclock-A=%%msg ring\nloop=loop\n"
                        "both=%%macro say a b|%%flash\n");

    RunProgramScript(programDir, CapWaits(std::string(reinterpret_cast<const char*>(bytes), size)));

    CheckNothingOutside(programDir);
    return 0;
}
