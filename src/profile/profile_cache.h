#pragma once
// The parsed content of each INI file, kept between calls so that a lookup in
// a large command table costs one stat() instead of a read and a parse.
// Every call re-validates the entry against the file, so the result is always
// the one a fresh read would give.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "profile/file_system.h"
#include "profile/profile_document.h"

namespace zindle {

class ProfileCache {
public:
    // The file at path as it is now; null when it is missing or unreadable.
    std::shared_ptr<const ProfileDocument> Current(const std::string& path);

    // Records content read from path; readStartNs is the wall-clock time
    // taken before the file was opened. Reuses the cached parse when the
    // bytes are the same.
    std::shared_ptr<const ProfileDocument> Remember(const std::string& path, FileSnapshot snapshot,
                                                    std::int64_t readStartNs);

    void Forget(const std::string& path);

private:
    struct Entry {
        FileStamp stamp;
        // False while a change could still leave the stamp as it is; such
        // an entry is checked against the file's bytes on every call.
        bool settled = false;
        std::shared_ptr<const ProfileDocument> document;
    };

    std::unordered_map<std::string, Entry> entries_;
};

}  // namespace zindle
