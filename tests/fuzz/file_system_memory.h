#pragma once
// The fuzz targets' files, held in memory. file_system_memory.cpp implements
// the INI engine's file interface (profile/file_system.h) on these instead
// of the disk, so a run costs no system calls; linked into a target, it
// takes the place of the POSIX implementation. The functions below are the
// targets' own view: they set files up as another program would, and list
// what a run left behind.
//
// Paths resolve as on POSIX, one name at a time: every folder on the way
// must exist, ".." steps up, a relative path starts in WorkingDirectory(),
// and a NUL ends the path. There are no links and no permissions.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zindle::fuzz {

// Where relative paths start; an empty folder after every Reset.
inline constexpr std::string_view kMemoryWorkingDirectory = "/cwd";

// Forgets every file and folder but "/" and the working directory, and
// winds the clock back, so that each input starts from the same state. No
// file stamp from before a reset ever matches one after it. A target calls
// it at the start and at the end of every input.
void ResetMemoryFiles();

// Resets the files for one input, and again when the input is done.
class FreshMemoryFiles {
public:
    FreshMemoryFiles() { ResetMemoryFiles(); }
    ~FreshMemoryFiles() { ResetMemoryFiles(); }
    FreshMemoryFiles(const FreshMemoryFiles&) = delete;
    FreshMemoryFiles& operator=(const FreshMemoryFiles&) = delete;
};

// Creates the folder and every missing folder above it; false when a file
// stands in the way.
bool MakeMemoryDirectories(std::string_view path);

// Writes the file in place, as an editor that keeps the file would; false
// when its folder is missing or a folder stands at the path.
bool WriteMemoryFile(std::string_view path, std::string_view bytes);

// The file's bytes; nullopt when there is no file at the path.
std::optional<std::string> ReadMemoryFile(std::string_view path);

// Every file and folder below the folder at path, relative to it, sorted
// (the working directory is always there and is not listed).
std::vector<std::string> MemoryTree(std::string_view path);

}  // namespace zindle::fuzz
