#pragma once
// The whole program on the headless platform, as the interpreter's tests run
// it, with what the hostile-input tests add: ending the program and starting
// it again on the same directory, the message boxes it showed, and files of
// every awkward kind.

#include <sys/stat.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "program_fixture.h"

namespace zindle {

class HostileTest : public ProgramTest {
protected:
    // Starts the program with another program directory than dir.
    bool StartIn(const std::string& programDirectory) {
        HeadlessOptions options;
        options.programDirectory = programDirectory;
        platform = std::make_unique<HeadlessPlatform>(
            options, [this](const std::string& line) { events.push_back(line); });
        bundle = std::make_unique<Platform>(platform->Bundle());
        program = std::make_unique<Program>(*bundle);
        return program->StartupMain();
    }
    // Unloads the bar as the exit button does, which saves history and settings.
    void Quit() {
        if (program && !program->Ended()) program->bar()->Unload();
    }
    // Quits, then starts a new program on the same directory.
    bool Restart() {
        Quit();
        program.reset();
        bundle.reset();
        platform.reset();
        return Start();
    }
    // The program directory's entries but the docking state's registry folder.
    std::vector<std::string> ProgramFiles() const {
        std::vector<std::string> names = dir.Entries();
        std::erase(names, "registry");
        return names;
    }
    std::vector<std::string> MessageBoxes() const {
        std::vector<std::string> boxes;
        for (const std::string& event : events) {
            if (event.starts_with("msgbox: ")) boxes.push_back(event);
        }
        return boxes;
    }
    bool IsSymlink(const std::string& name) {
        struct stat info {};
        return ::lstat(Path(name).c_str(), &info) == 0 && S_ISLNK(info.st_mode);
    }
};

// Random bytes, NULs and line breaks among them, the same for the same seed.
inline std::string Junk(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

// The text as UTF-16LE after its byte order mark, as Windows editors save "Unicode".
inline std::string Utf16File(std::string_view ascii) {
    std::string bytes = "\xFF\xFE";
    for (const char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

}  // namespace zindle
