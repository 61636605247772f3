// The command language alone, thousands of inputs a second: a command table
// and lines to run through the interpreter, with the bar and the platform
// stood in for (command_language_harness.h). One harness serves the whole
// process and is reset after every input.
//
// An input is text. Everything before the first line "----" is zindle.ini;
// each line after it is typed into the bar, except these:
//   @wait MS         idle time (the clocks tick), at most a minute
//   @answer yes|no|ok  the answer to a coming message box
//   @history TEXT    TEXT becomes the most recent history entry
// Without a "----" line the whole input is lines, and there is no zindle.ini.
//
// Checked: the nesting counter stays within its limit while a line runs and
// is back at 0 after it; once the bar unloads, no later line does anything;
// nothing is written outside the program directory.

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>
#include <vector>

#include "command_language_harness.h"
#include "file_system_memory.h"
#include "fuzz_support.h"

namespace zindle::fuzz {
namespace {

// A table of words whose macros each run several others makes the work grow
// exponentially with its depth, as the user asked for; the interpreter's own
// limits end such a line only after seconds. Capping the bars keeps every
// input short.
constexpr int kMaxBars = 12;
constexpr std::uint64_t kMaxWait = 60'000;
constexpr std::string_view kSeparator = "----";

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string line(text.substr(0, end));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// "----" on a line of its own ends the table; nullopt when no line does.
std::optional<std::size_t> SeparatorAt(std::string_view text) {
    for (std::size_t at = text.find(kSeparator); at != std::string_view::npos; at = text.find(kSeparator, at + 1)) {
        const std::size_t end = at + kSeparator.size();
        const bool lineStart = at == 0 || text[at - 1] == '\n';
        const bool lineEnd = end == text.size() || text[end] == '\n' || text.substr(end, 2) == "\r\n";
        if (lineStart && lineEnd) return at;
    }
    return std::nullopt;
}

// True when the line was a harness directive, done here.
bool RunDirective(CommandLanguageHarness& harness, const std::string& line) {
    const auto argument = [&](std::string_view name) -> std::optional<std::string> {
        if (!line.starts_with(name)) return std::nullopt;
        return line.substr(name.size());
    };
    if (const auto ms = argument("@wait ")) {
        std::uint64_t value = 0;
        for (char c : *ms) {
            if (c < '0' || c > '9') break;
            value = std::min(kMaxWait, value * 10 + static_cast<std::uint64_t>(c - '0'));
        }
        harness.Wait(value);
    } else if (const auto answer = argument("@answer ")) {
        harness.dialogs.QueueAnswer(*answer == "yes" ? MessageAnswer::Yes
                                    : *answer == "no" ? MessageAnswer::No
                                                      : MessageAnswer::Ok);
    } else if (const auto entry = argument("@history ")) {
        harness.history.gHistory.insert(harness.history.gHistory.begin(), *entry);
    } else {
        return false;
    }
    return true;
}

// Built-in words match in any case.
bool ContainsNoCase(std::string_view text, std::string_view word) {
    const auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    return std::search(text.begin(), text.end(), word.begin(), word.end(), same) != text.end();
}

void CheckNothingOutside(const std::string& programDir) {
    for (const std::string& path : MemoryTree("/")) {
        const std::string absolute = "/" + path;
        FUZZ_CHECK(absolute == programDir || absolute.starts_with(programDir + "/"));
    }
    FUZZ_CHECK(MemoryTree(kMemoryWorkingDirectory).empty());
}

}  // namespace
}  // namespace zindle::fuzz

// AddressSanitizer's defaults suit a program that runs once; this process
// runs an input thousands of times a second, each on its own. A quarantine
// of 16 MB holds far more than one input frees, so a use after a free
// within an input is still caught (none can reach across inputs: the reset
// sees to that), and without the default 256 MB the allocator reuses warm
// memory instead of touching fresh pages. Five frames of every allocation's
// stack keep a report's place; scripts/fuzz runs a failing input again with
// full stacks for its log. ASAN_OPTIONS overrides either.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16:malloc_context_size=5"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace zindle;
    using namespace zindle::fuzz;
    static CommandLanguageHarness harness;

    std::string input(reinterpret_cast<const char*>(bytes), size);
    int bars = 0;
    for (char& c : input) {
        if (c == '|' && ++bars > kMaxBars) c = '/';
    }
    std::string_view text = input;
    if (const std::optional<std::size_t> at = SeparatorAt(text)) {
        harness.UseSettingsFile(text.substr(0, *at));
        text.remove_prefix(std::min(text.size(), *at + kSeparator.size() + 1));
    }
    const bool limitCanChange = ContainsNoCase(input, "%%setvar");
    const int bound = limitCanChange ? kMaxRecurseLimit : std::max<int>(harness.settings.gRecurseLimit, 0);

    Interpreter& interpreter = harness.interpreter();
    harness.statusLine.onText = [&] { FUZZ_CHECK(interpreter.Depth() >= 0 && interpreter.Depth() <= bound); };
    for (const std::string& line : SplitLines(text)) {
        if (RunDirective(harness, line)) continue;
        if (interpreter.QuitRequested()) {
            // The bar is gone: a line handed to the interpreter all the
            // same may not even reach the status line.
            const std::string before = harness.Fingerprint();
            interpreter.RunCommand(line);
            FUZZ_CHECK(harness.Fingerprint() == before);
            continue;
        }
        harness.Run(line);
        FUZZ_CHECK(interpreter.QuitRequested() || interpreter.Depth() == 0);
    }
    CheckNothingOutside(harness.programDirectory());
    harness.Reset();
    return 0;
}
