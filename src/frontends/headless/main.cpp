// zindle-headless [--dir DIR] [--now YYYY-MM-DDTHH:MM:SS] [--another-instance]
//                 [--taken-hotkey KEY:MODIFIERS]... [-- ARGS...]
// Runs the whole program without a window system, driven by a script on
// standard input, with virtual time.

#include <filesystem>
#include <iostream>
#include <sstream>
#include <vector>
#include <string>

#include "frontends/headless/headless_platform.h"
#include "frontends/headless/script_reader.h"
#include "startup/program.h"

namespace {

int Usage() {
    std::cerr << "usage: zindle-headless [--dir DIR] [--now YYYY-MM-DDTHH:MM:SS] "
                 "[--another-instance] [--taken-hotkey KEY:MODIFIERS]... [-- ARGS...]\n";
    return 2;
}

std::string ProgramDirectory(const std::string& given) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(given.empty() ? "." : given, error);
    std::string text = path.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    zindle::HeadlessOptions options;
    std::string directory;
    std::vector<std::pair<int, int>> takenHotkeys;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--dir" && i + 1 < argc) {
            directory = argv[++i];
        } else if (argument == "--now" && i + 1 < argc) {
            const auto start = zindle::ParseDateTime(argv[++i]);
            if (!start) return Usage();
            options.start = *start;
        } else if (argument == "--another-instance") {
            options.anotherInstanceRunning = true;
        } else if (argument == "--taken-hotkey" && i + 1 < argc) {
            int key = 0, modifiers = 0;
            char colon = 0;
            std::istringstream in(argv[++i]);
            if (!(in >> key >> colon >> modifiers) || colon != ':') return Usage();
            takenHotkeys.emplace_back(key, modifiers);
        } else if (argument == "--") {
            for (int j = i + 1; j < argc; ++j) {
                if (j > i + 1) options.commandLine += ' ';
                options.commandLine += argv[j];
            }
            break;
        } else {
            return Usage();
        }
    }
    options.programDirectory = ProgramDirectory(directory);

    const auto print = [](const std::string& line) { std::cout << line << '\n'; };
    zindle::HeadlessPlatform platform(options, print);
    for (const auto& [key, modifiers] : takenHotkeys) platform.windows.Hotkeys().Take(key, modifiers);
    platform.windows.SetFlashHandler([&](const zindle::HeadlessLabel&) { print(zindle::kFlashEventLine); });
    zindle::Platform bundle = platform.Bundle();
    zindle::Program program(bundle);
    int errors = 0;
    if (program.StartupMain()) {
        zindle::ScriptReader reader(platform, program, print);
        reader.AfterStartup();
        errors = reader.Run(std::cin);
    }
    print(zindle::kExitEventLine);
    std::cout.flush();
    return errors == 0 ? 0 : 1;
}
