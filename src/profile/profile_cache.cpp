#include "profile/profile_cache.h"

#include <algorithm>

namespace zindle {
namespace {

// The program touches two INI files and a skin file or two; more paths than
// this mean somebody walks many files, and the cache simply starts over.
constexpr std::size_t kMaxEntries = 64;

// File times advance in ticks of the kernel clock (a few milliseconds) or,
// on file systems that keep whole seconds (FAT keeps two), in seconds. Two
// writes within one tick that keep size and inode leave the stamp as it was.
// Once the stamp is older than a tick, as seen before the content was read,
// every later change gets a later stamp.
constexpr std::int64_t kFineTickNs = 50'000'000;
constexpr std::int64_t kCoarseTickNs = 2'500'000'000;

bool IsSettled(const FileStamp& stamp, std::int64_t readStartNs) {
    constexpr std::int64_t kSecond = 1'000'000'000;
    const bool wholeSeconds = stamp.modifiedNs % kSecond == 0 && stamp.changedNs % kSecond == 0;
    const std::int64_t latest = std::max(stamp.modifiedNs, stamp.changedNs);
    return readStartNs - latest > (wholeSeconds ? kCoarseTickNs : kFineTickNs);
}

}  // namespace

std::shared_ptr<const ProfileDocument> ProfileCache::Current(const std::string& path) {
    const std::int64_t readStartNs = WallClockNs();
    FileStamp stamp;
    if (StatFile(path, stamp) != FileState::Present) {
        Forget(path);
        return nullptr;
    }
    const auto found = entries_.find(path);
    if (found != entries_.end() && found->second.settled && found->second.stamp == stamp) {
        return found->second.document;
    }
    FileSnapshot snapshot = ReadFileBytes(path);
    if (snapshot.state != FileState::Present) {
        Forget(path);
        return nullptr;
    }
    return Remember(path, std::move(snapshot), readStartNs);
}

std::shared_ptr<const ProfileDocument> ProfileCache::Remember(const std::string& path, FileSnapshot snapshot,
                                                              std::int64_t readStartNs) {
    auto found = entries_.find(path);
    std::shared_ptr<const ProfileDocument> document;
    if (found != entries_.end() && found->second.document->FileBytes() == snapshot.bytes) {
        document = found->second.document;
    } else {
        document = std::make_shared<const ProfileDocument>(std::move(snapshot.bytes));
    }
    if (found == entries_.end()) {
        if (entries_.size() >= kMaxEntries) entries_.clear();
        found = entries_.emplace(path, Entry{}).first;
    }
    found->second = Entry{snapshot.stamp, IsSettled(snapshot.stamp, readStartNs), document};
    return document;
}

void ProfileCache::Forget(const std::string& path) { entries_.erase(path); }

}  // namespace zindle
