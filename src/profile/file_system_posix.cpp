#include "profile/file_system.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zindle {
namespace {

// A rewrite never waits longer than this for another instance's rewrite.
constexpr auto kLockTimeout = std::chrono::seconds(5);
constexpr std::string_view kTempSuffix = ".zindle-tmp";

std::int64_t Nanoseconds(const struct timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

FileStamp StampOf(const struct stat& info) {
    FileStamp stamp;
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    stamp.size = static_cast<std::int64_t>(info.st_size);
    stamp.modifiedNs = Nanoseconds(info.st_mtim);
    stamp.changedNs = Nanoseconds(info.st_ctim);
    return stamp;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

FileSnapshot ReadRegularFile(const std::string& path, struct stat& info) {
    FileSnapshot snapshot;
    // O_NONBLOCK keeps a FIFO at the path from blocking the open.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.Get() < 0) {
        snapshot.state = errno == ENOENT ? FileState::Missing : FileState::Unreadable;
        return snapshot;
    }
    snapshot.state = FileState::Unreadable;
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return snapshot;
    snapshot.stamp = StampOf(info);

    // One byte of room beyond the expected size lets the end show without
    // growing the buffer; a file that grows meanwhile is still read whole.
    std::string bytes(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 0) + 1, '\0');
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size()) bytes.resize(bytes.size() * 2);
        const ssize_t count = ::read(file.Get(), bytes.data() + used, bytes.size() - used);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return snapshot;
        if (count == 0) break;
        used += static_cast<std::size_t>(count);
    }
    bytes.resize(used);
    snapshot.bytes = std::move(bytes);
    snapshot.state = FileState::Present;
    return snapshot;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

// Waits for the exclusive lock. A file system without advisory locks (flock
// on some network mounts) lets the rewrite go ahead unlocked: the rename
// still keeps the file whole, only the guard against a simultaneous rewrite
// by another instance is lost there.
bool LockDirectory(int fd) {
    const auto deadline = std::chrono::steady_clock::now() + kLockTimeout;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

}  // namespace

std::int64_t WallClockNs() {
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return Nanoseconds(now);
}

FileState StatFile(const std::string& path, FileStamp& stamp) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return errno == ENOENT ? FileState::Missing : FileState::Unreadable;
    if (!S_ISREG(info.st_mode)) return FileState::Unreadable;
    stamp = StampOf(info);
    return FileState::Present;
}

FileSnapshot ReadFileBytes(const std::string& path) {
    struct stat info {};
    return ReadRegularFile(path, info);
}

struct FileRewrite::State {
    std::string target;
    std::string temp;
    int directoryFd = -1;
    bool ready = false;
    bool haveOriginal = false;
    struct stat original {};
};

FileRewrite::FileRewrite(const std::string& path) : state_(std::make_unique<State>()) {
    std::string target = path;
    struct stat link {};
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        // Replace the file the link points to, not the link.
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (resolved == nullptr) return;
        target = resolved;
        std::free(resolved);
    }
    const std::size_t slash = target.rfind('/');
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    if (name.empty()) return;
    const std::string directory = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    // Under the lock nobody else uses this name, so a fixed one will do; a
    // leftover of a writer that was killed is replaced by the next rewrite.
    state_->temp = target.substr(0, slash == std::string::npos ? 0 : slash + 1) + "." + name + std::string(kTempSuffix);
    state_->target = std::move(target);

    state_->directoryFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    state_->ready = state_->directoryFd >= 0 && LockDirectory(state_->directoryFd);
}

FileRewrite::~FileRewrite() {
    if (state_->directoryFd >= 0) ::close(state_->directoryFd);  // releases the lock
}

bool FileRewrite::Ready() const { return state_->ready; }

FileSnapshot FileRewrite::Read() {
    FileSnapshot snapshot = ReadRegularFile(state_->target, state_->original);
    state_->haveOriginal = snapshot.state == FileState::Present;
    return snapshot;
}

bool FileRewrite::Replace(std::string_view bytes, FileStamp& written) {
    if (!state_->ready) return false;
    const State& state = *state_;
    // A file the user made read-only stays as it is.
    if (state.haveOriginal && ::access(state.target.c_str(), W_OK) != 0) return false;

    ::unlink(state.temp.c_str());
    const FileDescriptor file(
        ::open(state.temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (file.Get() < 0) return false;

    bool ok = true;
    if (state.haveOriginal) {
        // Give the copy the original's owner (possible only for root) and
        // mode before any content is in it.
        if (state.original.st_uid != ::geteuid() || state.original.st_gid != ::getegid()) {
            if (::fchown(file.Get(), state.original.st_uid, state.original.st_gid) != 0) {
                // Not ours to give away: the new file stays ours.
            }
        }
        ok = ::fchmod(file.Get(), state.original.st_mode & 07777) == 0;
    }
    ok = ok && WriteAll(file.Get(), bytes) && ::fsync(file.Get()) == 0 &&
         ::rename(state.temp.c_str(), state.target.c_str()) == 0;
    if (!ok) {
        ::unlink(state.temp.c_str());
        return false;
    }

    struct stat info {};
    // Should fstat fail, an empty stamp simply never matches the file again.
    written = ::fstat(file.Get(), &info) == 0 ? StampOf(info) : FileStamp{};
    ::fsync(state.directoryFd);  // makes the rename itself durable
    return true;
}

}  // namespace zindle
