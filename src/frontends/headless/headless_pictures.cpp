#include "frontends/headless/headless_pictures.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>
#include <utility>

namespace zindle {

namespace {

constexpr std::int64_t kMaxSide = 65535;
// A JPEG's frame header follows a handful of segments in any real file; one
// not found within this many markers is not searched for further, so a
// crafted file of endless tiny segments costs little.
constexpr int kMaxJpegMarkers = 65536;

// Bytes at given offsets, from memory or from an open file.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Copies count bytes from offset into out; false when the source ends first.
    virtual bool Read(std::uint64_t offset, std::size_t count, unsigned char* out) = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const unsigned char> bytes) : bytes_(bytes) {}

    bool Read(std::uint64_t offset, std::size_t count, unsigned char* out) override {
        if (offset > bytes_.size() || count > bytes_.size() - offset) {
            return false;
        }
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), count, out);
        return true;
    }

private:
    std::span<const unsigned char> bytes_;
};

class FileSource final : public ByteSource {
public:
    explicit FileSource(std::ifstream& file) : file_(file) {}

    bool Read(std::uint64_t offset, std::size_t count, unsigned char* out) override {
        if (offset > static_cast<std::uint64_t>(std::numeric_limits<std::streamoff>::max())) {
            return false;
        }
        file_.clear();
        file_.seekg(static_cast<std::streamoff>(offset));
        if (!file_) {
            return false;
        }
        file_.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(count));
        return file_.gcount() == static_cast<std::streamsize>(count);
    }

private:
    std::ifstream& file_;
};

std::uint32_t Le16(const unsigned char* p) { return p[0] | (p[1] << 8); }
std::uint32_t Le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint32_t Be16(const unsigned char* p) { return (p[0] << 8) | p[1]; }
std::uint32_t Be32(const unsigned char* p) {
    return (static_cast<std::uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

std::optional<PictureSize> Checked(std::int64_t width, std::int64_t height) {
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
        return std::nullopt;
    }
    return PictureSize{static_cast<int>(width), static_cast<int>(height)};
}

std::optional<PictureSize> ReadBmp(ByteSource& source) {
    // The file header (14 bytes), then the bitmap header, which starts with its own size.
    unsigned char h[26];
    if (!source.Read(0, sizeof h, h)) {
        return std::nullopt;
    }
    const std::uint32_t headerSize = Le32(h + 14);
    if (headerSize == 12) {
        // BITMAPCOREHEADER: unsigned 16-bit width and height.
        return Checked(Le16(h + 18), Le16(h + 20));
    }
    // BITMAPINFOHEADER and its successors up to BITMAPV5HEADER, and the OS/2
    // 2.x header of 16 to 64 bytes: signed 32-bit width and height; a
    // negative height marks a top-down bitmap.
    if (headerSize < 16 || headerSize > 124) {
        return std::nullopt;
    }
    const std::int64_t width = static_cast<std::int32_t>(Le32(h + 18));
    const std::int64_t height = static_cast<std::int32_t>(Le32(h + 22));
    return Checked(width, height < 0 ? -height : height);
}

std::optional<PictureSize> ReadGif(ByteSource& source) {
    unsigned char h[10];
    if (!source.Read(0, sizeof h, h) || !std::equal(h, h + 3, "GIF") ||
        !(std::equal(h + 3, h + 6, "87a") || std::equal(h + 3, h + 6, "89a"))) {
        return std::nullopt;
    }
    return Checked(Le16(h + 6), Le16(h + 8));
}

std::optional<PictureSize> ReadPng(ByteSource& source) {
    // The signature, then the IHDR chunk, which must come first.
    static constexpr unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    unsigned char h[24];
    if (!source.Read(0, sizeof h, h) || !std::equal(h, h + 8, kSignature) || Be32(h + 8) != 13 ||
        !std::equal(h + 12, h + 16, "IHDR")) {
        return std::nullopt;
    }
    return Checked(Be32(h + 16), Be32(h + 20));
}

std::optional<PictureSize> ReadIco(ByteSource& source) {
    // ICONDIR (reserved 0, type 1, count), then the first 16-byte entry,
    // whose width and height bytes give 0 for 256.
    unsigned char h[22];
    if (!source.Read(0, sizeof h, h) || Le16(h) != 0 || Le16(h + 2) != 1 || Le16(h + 4) == 0) {
        return std::nullopt;
    }
    return Checked(h[6] == 0 ? 256 : h[6], h[7] == 0 ? 256 : h[7]);
}

// SOF0 to SOF15; C4 (DHT), C8 (JPG) and CC (DAC) share the range but are no frames.
bool IsStartOfFrame(unsigned char marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

std::optional<PictureSize> ReadJpeg(ByteSource& source) {
    unsigned char soi[2];
    if (!source.Read(0, 2, soi) || soi[0] != 0xFF || soi[1] != 0xD8) {
        return std::nullopt;
    }
    std::uint64_t pos = 2;
    for (int step = 0; step < kMaxJpegMarkers; ++step) {
        unsigned char prefix[2];
        if (!source.Read(pos, 2, prefix) || prefix[0] != 0xFF) {
            return std::nullopt;
        }
        const unsigned char marker = prefix[1];
        if (marker == 0xFF) {
            ++pos;  // a fill byte before the marker code
            continue;
        }
        pos += 2;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            continue;  // TEM and RSTn stand alone
        }
        if (marker == 0x00 || marker == 0xD8 || marker == 0xD9 || marker == 0xDA) {
            return std::nullopt;  // no frame header before the scan, the end or a broken stream
        }
        // Length (counting itself), then for a frame: precision, height, width.
        unsigned char segment[7];
        if (!source.Read(pos, 2, segment)) {
            return std::nullopt;
        }
        const std::uint32_t length = Be16(segment);
        if (length < 2) {
            return std::nullopt;
        }
        if (IsStartOfFrame(marker)) {
            if (length < sizeof segment || !source.Read(pos, sizeof segment, segment)) {
                return std::nullopt;
            }
            return Checked(Be16(segment + 5), Be16(segment + 3));
        }
        pos += length;
    }
    return std::nullopt;
}

std::optional<PictureSize> ReadSize(ByteSource& source) {
    unsigned char magic[2];
    if (!source.Read(0, 2, magic)) {
        return std::nullopt;
    }
    if (magic[0] == 'B' && magic[1] == 'M') return ReadBmp(source);
    if (magic[0] == 'G' && magic[1] == 'I') return ReadGif(source);
    if (magic[0] == 0xFF && magic[1] == 0xD8) return ReadJpeg(source);
    if (magic[0] == 0x89 && magic[1] == 'P') return ReadPng(source);
    if (magic[0] == 0 && magic[1] == 0) return ReadIco(source);
    return std::nullopt;
}

}  // namespace

std::optional<PictureSize> ReadPictureSize(std::span<const unsigned char> bytes) {
    MemorySource source(bytes);
    return ReadSize(source);
}

std::optional<PictureSize> ReadPictureFileSize(const std::string& path) {
    // Only regular files: a FIFO or a device would block or never end.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        return std::nullopt;
    }
    FileSource source(file);
    return ReadSize(source);
}

HeadlessPicture::HeadlessPicture(std::string source, PictureSize size)
    : source_(std::move(source)), size_(size) {}

int HeadlessPicture::WidthPixels() const { return size_.width; }

int HeadlessPicture::HeightPixels() const { return size_.height; }

const std::string& HeadlessPicture::Source() const { return source_; }

}  // namespace zindle
