#pragma once
// A whole program on the headless platform in a fresh directory: tests put
// lines in and look at the status line, the output events and the files.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bar/form1.h"
#include "frontends/headless/headless_platform.h"
#include "startup/program.h"
#include "temp_dir.h"

namespace zindle {

class ProgramTest : public ::testing::Test {
protected:
    // Writes zindle.ini (when given) and runs start-up.
    bool Start(const std::string& ini = "", const std::string& commandLine = "",
               bool anotherInstance = false) {
        if (!ini.empty()) WriteFile("zindle.ini", ini);
        HeadlessOptions options;
        options.programDirectory = dir.Path().string();
        options.commandLine = commandLine;
        options.anotherInstanceRunning = anotherInstance;
        platform = std::make_unique<HeadlessPlatform>(
            options, [this](const std::string& line) { events.push_back(line); });
        platform->windows.SetFlashHandler([this](const HeadlessLabel&) { events.push_back("flash"); });
        bundle = std::make_unique<Platform>(platform->Bundle());
        program = std::make_unique<Program>(*bundle);
        return program->StartupMain();
    }

    // A top-level line, as the bar hands it over.
    void Run(const std::string& line) {
        events.clear();
        interpreter().gMessageShown = false;
        interpreter().gCommandFailed = false;
        interpreter().RunCommand(line);
    }

    Interpreter& interpreter() { return program->interpreter; }
    std::string Status() { return program->bar()->StatusLine().Text(); }
    bool Failed() { return interpreter().gCommandFailed; }
    std::uint64_t Elapsed() { return platform->time.ElapsedMilliseconds(); }
    int Count(const std::string& event) {
        return static_cast<int>(std::count(events.begin(), events.end(), event));
    }
    std::string Path(const std::string& name) { return (dir.Path() / name).string(); }

    void WriteFile(const std::string& name, const std::string& text) {
        std::ofstream(dir.Path() / name, std::ios::binary) << text;
    }
    std::string ReadFile(const std::string& name) {
        std::ifstream in(dir.Path() / name, std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        return content.str();
    }

    TempDir dir;
    std::vector<std::string> events;
    std::unique_ptr<HeadlessPlatform> platform;
    std::unique_ptr<Platform> bundle;
    std::unique_ptr<Program> program;
};

}  // namespace zindle
