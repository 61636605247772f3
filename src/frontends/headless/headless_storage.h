#pragma once
// What the headless platform keeps outside the INI files: registry values
// and the picture files whose headers it reads. DiskStorage keeps them where
// the Linux program does; a test may hold them elsewhere, as the fuzz
// targets hold every file in memory.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "frontends/headless/headless_pictures.h"

namespace zindle {

class HeadlessStorage {
public:
    virtual ~HeadlessStorage() = default;

    // The value of HKEY_CURRENT_USER\key kept under root, laid out as
    // platform/posix/registry_file.h describes; nullopt when there is none.
    virtual std::optional<std::vector<std::uint8_t>> ReadRegistryValue(const std::string& root,
                                                                       const std::string& key) = 0;
    virtual bool WriteRegistryValue(const std::string& root, const std::string& key,
                                    const std::vector<std::uint8_t>& value) = 0;
    // The size the picture file's header states (see ReadPictureSize).
    virtual std::optional<PictureSize> PictureFileSize(const std::string& path) = 0;
};

class DiskStorage final : public HeadlessStorage {
public:
    std::optional<std::vector<std::uint8_t>> ReadRegistryValue(const std::string& root,
                                                               const std::string& key) override;
    bool WriteRegistryValue(const std::string& root, const std::string& key,
                            const std::vector<std::uint8_t>& value) override;
    std::optional<PictureSize> PictureFileSize(const std::string& path) override;
};

}  // namespace zindle
