#pragma once
// The whole program on the headless platform, for the targets that fuzz
// what reaches it from outside: its program directory, a way to drive it
// with a script, and the check that it wrote nowhere else.

#include <filesystem>
#include <sstream>
#include <string>

#include "bar/form1.h"
#include "file_system_memory.h"
#include "frontends/headless/headless_platform.h"
#include "frontends/headless/script_reader.h"
#include "fuzz_support.h"
#include "startup/program.h"

namespace zindle::fuzz {

// The program directory, empty: a folder in the scratch directory, for what
// the headless platform keeps on disk itself (registry values, the pictures
// it measures), and the same path among the memory files, where the INI
// engine keeps zindle.ini, history.ini and the skins' skin.ini.
inline std::string FreshProgramDirectory() {
    const std::filesystem::path dir = FreshDirectory("run") / "prog";
    std::filesystem::create_directory(dir);
    MakeMemoryDirectories(dir.string());
    return dir.string();
}

// The [cfg] lines a program with the default settings saves at exit, but
// the recurse limit and the docking edge, which the targets set themselves;
// and the commands it adds to [cmds] at start-up. Starting from these, as
// any run after the first does, the settings saved at exit change nothing
// unless the input changed them: written into a fresh file, each of them a
// rewrite of the whole file, they cost more than all the rest of an input.
inline constexpr const char* kSavedSettings =
    "UseMain=yes\nMainKey=122\nMainShift=0\n"
    "Use1=no\nKey1=0\nShift1=0\nUse2=no\nKey2=0\nShift2=0\nUse3=no\nKey3=0\nShift3=0\n"
    "Use4=no\nKey4=0\nShift4=0\nUse5=no\nKey5=0\nShift5=0\nUse6=no\nKey6=0\nShift6=0\n"
    "CaseSens=no\nskin=\nhistory=128\nokmsg=Zindle - OK\n";

inline std::string DefaultCommands(const std::string& programDir) {
    return "cfg=exe notepad.exe \"" + programDir + "/zindle.ini\"\nhelp=%%open " + programDir +
           "/zindle.chm\nreadme=%%open " + programDir + "/readme.txt\n";
}

// Nothing was written outside the program directory, neither on disk (the
// scratch directory holds the working directory, left empty) nor among the
// memory files.
inline void CheckNothingOutside(const std::string& programDir) {
    for (const std::string& path : Tree(ScratchRoot())) {
        FUZZ_CHECK(path == "cwd" || path == "run" || path == "run/prog" || path.starts_with("run/prog/"));
    }
    for (const std::string& path : MemoryTree("/")) {
        const std::string absolute = "/" + path;
        FUZZ_CHECK(absolute == programDir || programDir.starts_with(absolute + "/") ||
                   absolute.starts_with(programDir + "/"));
    }
    FUZZ_CHECK(MemoryTree(kMemoryWorkingDirectory).empty());
}

// Starts the program in programDir, feeds it the script line by line and
// unloads the bar at the end, as quitting would, so that it saves everything.
inline void RunProgramScript(const std::string& programDir, const std::string& script) {
    HeadlessOptions options;
    options.programDirectory = programDir;
    const auto ignore = [](const std::string&) {};
    HeadlessPlatform platform(options, ignore);
    Platform bundle = platform.Bundle();
    Program program(bundle);
    if (!program.StartupMain()) return;
    ScriptReader reader(platform, program, ignore);
    reader.AfterStartup();
    std::istringstream in(script);
    reader.Run(in);
    if (!program.Ended()) program.bar()->Unload();
}

}  // namespace zindle::fuzz
