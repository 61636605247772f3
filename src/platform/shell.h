#pragma once
// Handing documents, programs and sounds to the operating system.

#include <string>

namespace zindle {

class Shell {
public:
    virtual ~Shell() = default;

    // Opens a document, folder, program or address with its default action.
    // Returns the Windows result codes: above 32 on success, 2 file not found,
    // 3 path not found, 31 no association, anything else an unknown error.
    virtual int OpenTarget(const std::string& target) = 0;

    // Starts a program from a command line whose first token names it; never
    // through a command interpreter. True when the process was started.
    virtual bool RunProgram(const std::string& commandLine) = 0;

    // Starts playing a sound file and returns at once; a file that cannot be
    // played plays nothing and reports nothing.
    virtual void PlaySoundFile(const std::string& path) = 0;
};

}  // namespace zindle
