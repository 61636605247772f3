#include "frontends/headless/headless_storage.h"

#include "platform/posix/registry_file.h"

namespace zindle {

std::optional<std::vector<std::uint8_t>> DiskStorage::ReadRegistryValue(const std::string& root,
                                                                         const std::string& key) {
    return ReadRegistryFile(root, key);
}

bool DiskStorage::WriteRegistryValue(const std::string& root, const std::string& key,
                                     const std::vector<std::uint8_t>& value) {
    return WriteRegistryFile(root, key, value);
}

std::optional<PictureSize> DiskStorage::PictureFileSize(const std::string& path) { return ReadPictureFileSize(path); }

}  // namespace zindle
