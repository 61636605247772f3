#pragma once
// Pictures of the headless platform: nothing is decoded, only the size is
// taken from the file's header, which is all the program ever asks of a
// picture. Recognised: BMP (core and info headers), GIF, JPEG, ICO and PNG.

#include <optional>
#include <span>
#include <string>

#include "platform/controls.h"

namespace zindle {

struct PictureSize {
    int width = 0;
    int height = 0;
    bool operator==(const PictureSize&) const = default;
};

// The size in pixels that the header states; nullopt for an unknown format,
// a header cut short, or a width or height outside 1 to 65535.
std::optional<PictureSize> ReadPictureSize(std::span<const unsigned char> bytes);
// The same for a file, reading only the header bytes it needs; nullopt also
// when the path is missing or is not a regular file.
std::optional<PictureSize> ReadPictureFileSize(const std::string& path);

class HeadlessPicture final : public Picture {
public:
    HeadlessPicture(std::string source, PictureSize size);

    int WidthPixels() const override;
    int HeightPixels() const override;
    const std::string& Source() const override;

private:
    std::string source_;
    PictureSize size_;
};

}  // namespace zindle
