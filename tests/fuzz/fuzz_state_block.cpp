// The docking object's 90-byte registry block: decoded from random bytes it
// must encode back to the same bytes (reserved bytes zero, Booleans as -1),
// and a whole program that loads it at start-up must dock, move, slide and
// save without fault, whatever the block holds.

#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "appbar/state_block.h"
#include "fuzz_program.h"
#include "fuzz_support.h"

namespace zindle::fuzz {
namespace {

constexpr std::size_t kReservedOffset = 18;
constexpr std::size_t kBooleanOffsets[] = {12, 14, 16};

void CheckRoundTrip(const std::vector<std::uint8_t>& bytes, const StateBlock& current) {
    const std::optional<StateBlock> block = DecodeStateBlock(bytes, current);
    FUZZ_CHECK(block.has_value() == (bytes.size() == kStateBlockSize));
    if (!block) return;
    std::vector<std::uint8_t> expected = bytes;
    expected[kReservedOffset] = expected[kReservedOffset + 1] = 0;
    for (const std::size_t offset : kBooleanOffsets) {
        const bool set = expected[offset] != 0 || expected[offset + 1] != 0;
        expected[offset] = expected[offset + 1] = set ? 0xFF : 0;
    }
    FUZZ_CHECK(EncodeStateBlock(*block) == expected);
    FUZZ_CHECK((block->taskbarButton & ~0xFFFF) == (current.taskbarButton & ~0xFFFF));
    FUZZ_CHECK(DecodeStateBlock(expected, *block) == block);
}

// A line of the headless script that moves, sizes or docks the bar.
std::string DockingLine(FuzzedDataProvider& data) {
    const auto number = [&data] {
        return std::to_string(data.ConsumeBool() ? data.ConsumeIntegralInRange(-100, 3000)
                                                 : data.ConsumeIntegralInRange(-1'000'000, 1'000'000));
    };
    switch (data.ConsumeIntegralInRange(0, 9)) {
        case 0: return "run %%up";
        case 1: return "run %%down";
        case 2: return "resize " + number();
        case 3: return "wait " + std::to_string(data.ConsumeIntegralInRange(0, 5000));
        case 4: return "drag " + number() + " " + number();
        case 5: return "screen " + number() + " " + number();
        case 6: return "shell appbar " + std::to_string(data.ConsumeIntegralInRange(0, 3)) + " " + number();
        case 7: return std::string("shell fullscreen ") + (data.ConsumeBool() ? "1" : "0");
        case 8: return "click swap";
        default: return "quit";
    }
}

}  // namespace
}  // namespace zindle::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::cerr.rdbuf(nullptr);  // the reader's complaints about lines it refuses
    const std::filesystem::path cwd = zindle::fuzz::FreshDirectory("cwd");
    return ::chdir(cwd.c_str());
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace zindle;
    using namespace zindle::fuzz;
    FuzzedDataProvider data(bytes, size);
    const std::size_t length =
        data.ConsumeBool() ? kStateBlockSize : data.ConsumeIntegralInRange<std::size_t>(0, 2 * kStateBlockSize);
    const std::vector<std::uint8_t> block = data.ConsumeBytes<std::uint8_t>(length);
    StateBlock current;
    current.taskbarButton = data.ConsumeIntegral<std::int32_t>();
    CheckRoundTrip(block, current);

    const FreshMemoryFiles files;
    const std::string programDir = FreshProgramDirectory();
    const std::string value = *RegistryValuePath(programDir, "Software\\Orvane\\Zindle");
    MakeMemoryDirectories(value.substr(0, value.rfind('/')));
    WriteMemoryFile(value, std::string(block.begin(), block.end()));
    WriteMemoryFile(programDir + "/zindle.ini", std::string("[cfg]\nsplash=0\nrecurse=32\n") +
                                                    (data.ConsumeBool() ? "edge=t\n" : "") + kSavedSettings +
                                                    "[cmds]\n" + DefaultCommands(programDir));
    std::string script;
    for (int lines = data.ConsumeIntegralInRange(0, 12); lines > 0; --lines) script += DockingLine(data) + "\n";

    RunProgramScript(programDir, script);
    // What the program saved reads back as itself.
    const std::string saved = ReadMemoryFile(value).value_or("");
    CheckRoundTrip(std::vector<std::uint8_t>(saved.begin(), saved.end()), current);

    CheckNothingOutside(programDir);
    return 0;
}
