#pragma once
// The few file operations the INI engine needs, behind a portable interface.
// file_system_posix.cpp implements them with POSIX calls; another system
// replaces that one file.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace zindle {

// Identity and change times of one version of a file. Any write changes at
// least one field, unless it happens within the same tick of the file
// system's clock (ProfileCache deals with that window). On Windows only size
// and modifiedNs are filled: a query by path gives no more, and there a
// program can set every file time back anyway.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;  // since the epoch
    std::int64_t changedNs = 0;   // status change, which no program can set back

    bool operator==(const FileStamp&) const = default;
};

enum class FileState {
    Present,
    Missing,     // nothing at the path
    Unreadable,  // something is there but cannot be read as a regular file
};

struct FileSnapshot {
    FileState state = FileState::Missing;
    FileStamp stamp;
    std::string bytes;
};

// The current wall-clock time on the clock file times are taken from.
std::int64_t WallClockNs();

// The stamp of the regular file at path (following symbolic links).
FileState StatFile(const std::string& path, FileStamp& stamp);

// The whole content of the regular file at path, with the stamp it had when
// it was opened.
FileSnapshot ReadFileBytes(const std::string& path);

// One read-modify-write of a file. The constructor resolves a symbolic link
// to its target and takes an exclusive advisory lock on the target's
// directory, which every rewrite holds until it ends: the directory stays
// the same object while the file itself is replaced, and nothing extra is
// left in it. Replace writes the new bytes to a temporary file next to the
// target, flushes it and renames it over the target, so a crash leaves the
// old file or the new one.
class FileRewrite {
public:
    explicit FileRewrite(const std::string& path);
    ~FileRewrite();
    FileRewrite(const FileRewrite&) = delete;
    FileRewrite& operator=(const FileRewrite&) = delete;

    // False when the target cannot be resolved or the lock not taken.
    bool Ready() const;
    // The target's current content; call before Replace.
    FileSnapshot Read();
    // Replaces the target with bytes, keeping the permissions of the file
    // Read found; on success `written` is the stamp of the new file.
    bool Replace(std::string_view bytes, FileStamp& written);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace zindle
