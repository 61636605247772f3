#include "file_system_memory.h"

#include <cstdint>
#include <map>

#include "profile/file_system.h"

namespace zindle {
namespace fuzz {
namespace {

// The limits the disk enforces (NAME_MAX, and PATH_MAX less its NUL), kept
// so that a name too long to store fails here as it would there.
constexpr std::size_t kMaxName = 255;
constexpr std::size_t kMaxPath = 4095;
// A rewrite's temporary file is named "." NAME ".zindle-tmp" on disk.
constexpr std::size_t kTempNameExtra = 12;

// The clock starts at 2024-01-01T00:00:00 UTC and moves one step whenever
// it is read or a file changes. A file counts as settled for the INI
// engine's cache a few steps after it was written, so runs go through both
// the cache's fresh and settled paths.
constexpr std::int64_t kStartNs = 1'704'067'200'000'000'000;
constexpr std::int64_t kStepNs = 10'000'000;

struct Node {
    bool directory = false;
    std::string bytes;
    FileStamp stamp;
};

// Keys are absolute paths without "." or ".." or a trailing '/'; the root
// ("") and the working directory are always there and never stored, so an
// input that ends with a reset has freed everything it allocated (libFuzzer
// takes any difference for a leak and looks for one, slowly).
struct Files {
    std::map<std::string, Node, std::less<>> nodes;
    std::uint64_t generation = 0;
    std::uint64_t nextInode = 1;
    std::int64_t nowNs = kStartNs;
};

Files& State() {
    static Files files;
    return files;
}

std::int64_t Tick() { return State().nowNs += kStepNs; }

const Node* Find(std::string_view key) {
    static const Node folder{true, {}, {}};
    if (key.empty() || key == kMemoryWorkingDirectory) return &folder;
    const auto found = State().nodes.find(key);
    return found == State().nodes.end() ? nullptr : &found->second;
}

// Walks path one name at a time, as the kernel does. Present with `key` set
// when every folder on the way exists (the last name need not); Missing when
// one does not; Unreadable when a file stands in for a folder or a name is
// too long. With create, missing folders on the way are made.
FileState Resolve(std::string_view path, std::string& key, bool create = false) {
    path = path.substr(0, path.find('\0'));
    if (path.empty()) return FileState::Missing;
    if (path.size() > kMaxPath) return FileState::Unreadable;
    // One allocation for the whole walk: a lookup runs for every word.
    key.clear();
    key.reserve(std::string_view(kMemoryWorkingDirectory).size() + 1 + path.size());
    if (path.front() != '/') key = kMemoryWorkingDirectory;
    while (!path.empty()) {
        const std::size_t slash = path.find('/');
        const std::string_view name = path.substr(0, slash);
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
        const bool last = slash == std::string_view::npos;
        if (name.empty() || name == ".") continue;
        if (name.size() > kMaxName) return FileState::Unreadable;
        if (name == "..") {
            if (!key.empty()) key.erase(key.rfind('/'));
            continue;
        }
        key += '/';
        key += name;
        if (last && !create) break;
        const Node* node = Find(key);
        if (node == nullptr && create) {
            State().nodes[key].directory = true;
            continue;
        }
        if (node == nullptr) return FileState::Missing;
        if (!node->directory) return FileState::Unreadable;
    }
    return FileState::Present;
}

// The file at path, or the reason there is none.
FileState Lookup(std::string_view path, const Node*& file) {
    // Kept from call to call: every lookup of a word makes one.
    static std::string key;
    const FileState state = Resolve(path, key);
    if (state != FileState::Present) return state;
    file = Find(key);
    if (file == nullptr) return FileState::Missing;
    return file->directory ? FileState::Unreadable : FileState::Present;
}

void Store(const std::string& key, std::string_view bytes, bool sameInode) {
    Files& files = State();
    Node& node = files.nodes[key];
    node.bytes.assign(bytes);
    node.stamp.device = files.generation;
    if (!sameInode || node.stamp.inode == 0) node.stamp.inode = files.nextInode++;
    node.stamp.size = static_cast<std::int64_t>(bytes.size());
    node.stamp.modifiedNs = node.stamp.changedNs = Tick();
}

}  // namespace

void ResetMemoryFiles() {
    Files& files = State();
    files.nodes.clear();
    ++files.generation;
    files.nextInode = 1;
    files.nowNs = kStartNs;
}

bool MakeMemoryDirectories(std::string_view path) {
    std::string key;
    return Resolve(path, key, true) == FileState::Present;
}

bool WriteMemoryFile(std::string_view path, std::string_view bytes) {
    std::string key;
    if (Resolve(path, key) != FileState::Present) return false;
    const Node* node = Find(key);
    if (node != nullptr && node->directory) return false;
    Store(key, bytes, true);
    return true;
}

std::optional<std::string> ReadMemoryFile(std::string_view path) {
    const Node* file = nullptr;
    if (Lookup(path, file) != FileState::Present) return std::nullopt;
    return file->bytes;
}

std::vector<std::string> MemoryTree(std::string_view path) {
    std::vector<std::string> paths;
    std::string key;
    if (Resolve(path, key) != FileState::Present) return paths;
    const std::string prefix = key + "/";
    const auto& nodes = State().nodes;
    for (auto it = nodes.lower_bound(prefix); it != nodes.end() && it->first.starts_with(prefix); ++it) {
        paths.push_back(it->first.substr(prefix.size()));
    }
    return paths;
}

}  // namespace fuzz

using fuzz::Lookup;
using fuzz::Node;

std::int64_t WallClockNs() { return fuzz::Tick(); }

FileState StatFile(const std::string& path, FileStamp& stamp) {
    const Node* file = nullptr;
    const FileState state = Lookup(path, file);
    if (state == FileState::Present) stamp = file->stamp;
    return state;
}

FileSnapshot ReadFileBytes(const std::string& path) {
    FileSnapshot snapshot;
    const Node* file = nullptr;
    snapshot.state = Lookup(path, file);
    if (snapshot.state == FileState::Present) {
        snapshot.stamp = file->stamp;
        snapshot.bytes = file->bytes;
    }
    return snapshot;
}

// One thread and no other process: the lock is the folder's existence.
struct FileRewrite::State {
    std::string path;
    std::string target;  // key of the file in memory
    bool ready = false;
    bool tempNameFits = false;
};

FileRewrite::FileRewrite(const std::string& path) : state_(std::make_unique<State>()) {
    state_->path = path.substr(0, path.find('\0'));
    const std::size_t slash = state_->path.rfind('/');
    const std::string name = slash == std::string::npos ? state_->path : state_->path.substr(slash + 1);
    if (name.empty() || name == "." || name == "..") return;
    const std::string directory =
        slash == std::string::npos ? "." : slash == 0 ? "/" : state_->path.substr(0, slash);
    std::string key;
    if (fuzz::Resolve(directory, key) != FileState::Present) return;
    const Node* folder = fuzz::Find(key);
    if (folder == nullptr || !folder->directory) return;
    state_->target = key + "/" + name;
    state_->tempNameFits = name.size() + fuzz::kTempNameExtra <= fuzz::kMaxName;
    state_->ready = true;
}

FileRewrite::~FileRewrite() = default;

bool FileRewrite::Ready() const { return state_->ready; }

FileSnapshot FileRewrite::Read() { return ReadFileBytes(state_->path); }

bool FileRewrite::Replace(std::string_view bytes, FileStamp& written) {
    if (!state_->ready || !state_->tempNameFits) return false;
    const Node* existing = fuzz::Find(state_->target);
    if (existing != nullptr && existing->directory) return false;
    // A new file renamed over the old one: a new inode.
    fuzz::Store(state_->target, bytes, false);
    written = fuzz::Find(state_->target)->stamp;
    return true;
}

}  // namespace zindle
