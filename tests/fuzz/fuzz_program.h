#pragma once
// The whole program on the headless platform, for the targets that fuzz
// what reaches it from outside: its program directory, a way to drive it
// with a script, and the check that it wrote nowhere else.

#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "bar/form1.h"
#include "file_system_memory.h"
#include "frontends/headless/headless_pictures.h"
#include "frontends/headless/headless_platform.h"
#include "frontends/headless/headless_storage.h"
#include "frontends/headless/script_reader.h"
#include "fuzz_support.h"
#include "platform/posix/registry_file.h"
#include "startup/program.h"

namespace zindle::fuzz {

// What the headless platform keeps outside the INI files, among the memory
// files too, laid out as on disk: a whole program run makes no system call.
class MemoryStorage final : public HeadlessStorage {
public:
    std::optional<std::vector<std::uint8_t>> ReadRegistryValue(const std::string& root,
                                                               const std::string& key) override {
        const std::optional<std::string> path = RegistryValuePath(root, key);
        if (!path) return std::nullopt;
        const std::optional<std::string> bytes = ReadMemoryFile(*path);
        if (!bytes) return std::nullopt;
        return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
    }

    bool WriteRegistryValue(const std::string& root, const std::string& key,
                            const std::vector<std::uint8_t>& value) override {
        const std::optional<std::string> path = RegistryValuePath(root, key);
        return path && MakeMemoryDirectories(path->substr(0, path->rfind('/'))) &&
               WriteMemoryFile(*path, std::string(value.begin(), value.end()));
    }

    std::optional<PictureSize> PictureFileSize(const std::string& path) override {
        const std::optional<std::string> bytes = ReadMemoryFile(path);
        if (!bytes) return std::nullopt;
        return ReadPictureSize(std::span(reinterpret_cast<const unsigned char*>(bytes->data()), bytes->size()));
    }
};

inline MemoryStorage gMemoryStorage;

// The program directory, empty, among the memory files.
inline std::string FreshProgramDirectory() {
    const std::string dir = "/zindle";
    MakeMemoryDirectories(dir);
    return dir;
}

// Options for a headless platform whose every file is a memory file.
inline HeadlessOptions InMemory(const std::string& programDir) {
    HeadlessOptions options;
    options.programDirectory = programDir;
    options.storage = &gMemoryStorage;
    return options;
}

// The [cfg] lines a program with the default settings saves at exit, but
// the recurse limit and the docking edge, which the targets set themselves;
// and the commands it adds to [cmds] at start-up. Starting from these, as
// any run after the first does, the settings saved at exit change nothing
// unless the input changed them, and the engine parses nothing new.
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
    FUZZ_CHECK(Tree(ScratchRoot()) == std::vector<std::string>{"cwd"});
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
    const auto ignore = [](const std::string&) {};
    HeadlessPlatform platform(InMemory(programDir), ignore);
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
