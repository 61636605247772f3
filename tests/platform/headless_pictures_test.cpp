#include "frontends/headless/headless_pictures.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "frontends/headless/headless_controls.h"
#include "frontends/headless/virtual_time.h"
#include "temp_dir.h"

namespace zindle {
namespace {

std::string Le16(std::uint32_t v) { return {static_cast<char>(v), static_cast<char>(v >> 8)}; }
std::string Le32(std::uint32_t v) { return Le16(v) + Le16(v >> 16); }
std::string Be16(std::uint32_t v) { return {static_cast<char>(v >> 8), static_cast<char>(v)}; }
std::string Be32(std::uint32_t v) { return Be16(v >> 16) + Be16(v); }

std::string Bmp(std::int32_t width, std::int32_t height, std::uint32_t headerSize = 40) {
    std::string header = Le32(headerSize) + Le32(static_cast<std::uint32_t>(width)) +
                         Le32(static_cast<std::uint32_t>(height)) + Le16(1) + Le16(24);
    header.resize(headerSize, '\0');
    return "BM" + Le32(0) + Le32(0) + Le32(14 + headerSize) + header + std::string(16, '\x7F');
}

std::string CoreBmp(std::uint16_t width, std::uint16_t height) {
    return "BM" + Le32(0) + Le32(0) + Le32(26) + Le32(12) + Le16(width) + Le16(height) + Le16(1) + Le16(24);
}

std::string Gif(std::uint16_t width, std::uint16_t height, const std::string& version = "89a") {
    return "GIF" + version + Le16(width) + Le16(height) + std::string("\x80\0\0", 3);
}

std::string Png(std::uint32_t width, std::uint32_t height, std::uint32_t ihdrLength = 13) {
    return std::string("\x89PNG\r\n\x1A\n", 8) + Be32(ihdrLength) + "IHDR" + Be32(width) + Be32(height) +
           std::string("\x08\x02\0\0\0", 5) + Be32(0);
}

std::string Ico(unsigned char width, unsigned char height, std::uint16_t type = 1, std::uint16_t count = 1) {
    return Le16(0) + Le16(type) + Le16(count) +
           std::string{static_cast<char>(width), static_cast<char>(height)} + std::string(14, '\0');
}

std::string Segment(unsigned char marker, const std::string& body) {
    return std::string{'\xFF', static_cast<char>(marker)} +
           Be16(static_cast<std::uint32_t>(body.size() + 2)) + body;
}

std::string Frame(unsigned char marker, std::uint16_t width, std::uint16_t height) {
    return Segment(marker, "\x08" + Be16(height) + Be16(width) + std::string("\x01\x01\x11\x00", 4));
}

const std::string kSoi = "\xFF\xD8";

class PictureFiles : public ::testing::Test {
protected:
    // The file answer, checked against the in-memory answer for the same bytes.
    std::optional<PictureSize> Size(const std::string& bytes) {
        const std::string path = dir_.File("picture");
        WriteBytes(path, bytes);
        const auto fromFile = ReadPictureFileSize(path);
        const auto fromMemory =
            ReadPictureSize(std::span(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
        EXPECT_EQ(fromFile, fromMemory);
        return fromFile;
    }

    TempDir dir_;
};

using Size = std::optional<PictureSize>;

TEST_F(PictureFiles, BitmapHeadersOfEveryGeneration) {
    EXPECT_EQ(Size(Bmp(3, 2)), (PictureSize{3, 2}));
    EXPECT_EQ(Size(Bmp(3, -2)), (PictureSize{3, 2}));  // top-down
    EXPECT_EQ(Size(Bmp(65535, 1, 124)), (PictureSize{65535, 1}));
    EXPECT_EQ(Size(Bmp(20, 10, 108)), (PictureSize{20, 10}));
    EXPECT_EQ(Size(CoreBmp(5, 7)), (PictureSize{5, 7}));

    EXPECT_EQ(Size(Bmp(-3, 2)), std::nullopt);
    EXPECT_EQ(Size(Bmp(0, 2)), std::nullopt);
    EXPECT_EQ(Size(Bmp(3, 0)), std::nullopt);
    EXPECT_EQ(Size(Bmp(65536, 2)), std::nullopt);
    EXPECT_EQ(Size(Bmp(3, INT32_MIN)), std::nullopt);
    EXPECT_EQ(Size(CoreBmp(0, 7)), std::nullopt);
    EXPECT_EQ(Size(Bmp(3, 2, 13)), std::nullopt);   // no such header
    EXPECT_EQ(Size(Bmp(3, 2, 400)), std::nullopt);  // no such header
    EXPECT_EQ(Size(Bmp(3, 2).substr(0, 25)), std::nullopt);
}

TEST_F(PictureFiles, GifPngAndIconHeaders) {
    EXPECT_EQ(Size(Gif(640, 480)), (PictureSize{640, 480}));
    EXPECT_EQ(Size(Gif(1, 2, "87a")), (PictureSize{1, 2}));
    EXPECT_EQ(Size(Gif(1, 2, "88a")), std::nullopt);
    EXPECT_EQ(Size(Gif(0, 2)), std::nullopt);
    EXPECT_EQ(Size(Gif(1, 2).substr(0, 9)), std::nullopt);

    EXPECT_EQ(Size(Png(300, 20)), (PictureSize{300, 20}));
    EXPECT_EQ(Size(Png(0, 20)), std::nullopt);
    EXPECT_EQ(Size(Png(0x80000000u, 20)), std::nullopt);
    EXPECT_EQ(Size(Png(70000, 20)), std::nullopt);
    EXPECT_EQ(Size(Png(300, 20, 14)), std::nullopt);
    EXPECT_EQ(Size(Png(300, 20).substr(0, 23)), std::nullopt);

    EXPECT_EQ(Size(Ico(16, 32)), (PictureSize{16, 32}));
    EXPECT_EQ(Size(Ico(0, 0)), (PictureSize{256, 256}));
    EXPECT_EQ(Size(Ico(16, 16, 2)), std::nullopt);     // a cursor
    EXPECT_EQ(Size(Ico(16, 16, 1, 0)), std::nullopt);  // no images
    EXPECT_EQ(Size(Ico(16, 16).substr(0, 21)), std::nullopt);
}

TEST_F(PictureFiles, JpegFrameIsFoundBehindOtherSegments) {
    const std::string app0 = Segment(0xE0, std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14));
    const std::string tables =
        Segment(0xC4, std::string(30, '\x11')) + Segment(0xCC, "ab") + Segment(0xC8, "x");
    EXPECT_EQ(Size(kSoi + app0 + tables + "\xFF\xFF" + Frame(0xC2, 640, 480)), (PictureSize{640, 480}));
    EXPECT_EQ(Size(kSoi + Segment(0xE1, std::string(65533, 'x')) + Frame(0xC0, 1, 1)), (PictureSize{1, 1}));
    EXPECT_EQ(Size(kSoi + "\xFF\xD0" + Frame(0xCF, 9, 8)), (PictureSize{9, 8}));

    EXPECT_EQ(Size(kSoi + app0 + Frame(0xC0, 640, 0)), std::nullopt);  // height from a later DNL
    EXPECT_EQ(Size(kSoi + app0 + Segment(0xDA, "scan") + Frame(0xC0, 1, 1)), std::nullopt);
    EXPECT_EQ(Size(kSoi + "\xFF\xE0" + Be16(1) + Frame(0xC0, 1, 1)), std::nullopt);  // length too short
    EXPECT_EQ(Size(kSoi + app0 + "junk" + Frame(0xC0, 1, 1)), std::nullopt);
    EXPECT_EQ(Size(kSoi + app0 + Frame(0xC0, 640, 480).substr(0, 8)), std::nullopt);
    EXPECT_EQ(Size(kSoi + "\xFF\xD9"), std::nullopt);
    EXPECT_EQ(Size(kSoi), std::nullopt);
    // Endless empty segments give up instead of running on.
    std::string many = kSoi;
    for (int i = 0; i < 70000; ++i) many += Segment(0xFE, "");
    EXPECT_EQ(Size(many + Frame(0xC0, 1, 1)), std::nullopt);
}

TEST_F(PictureFiles, AnythingElseIsNoPicture) {
    EXPECT_EQ(Size(""), std::nullopt);
    EXPECT_EQ(Size("B"), std::nullopt);
    EXPECT_EQ(Size("hello, world"), std::nullopt);
    EXPECT_EQ(ReadPictureFileSize(dir_.File("missing.bmp")), std::nullopt);
    EXPECT_EQ(ReadPictureFileSize(dir_.Path().string()), std::nullopt);
    EXPECT_EQ(ReadPictureFileSize(""), std::nullopt);
    // A FIFO would block a reader forever.
    ASSERT_EQ(mkfifo(dir_.File("fifo").c_str(), 0600), 0);
    EXPECT_EQ(ReadPictureFileSize(dir_.File("fifo")), std::nullopt);
}

TEST_F(PictureFiles, HugeFilesAreReadOnlyAsFarAsTheHeader) {
    // Sparse files of 8 GiB: reading them whole would take long and fill memory.
    const std::string gif = dir_.File("huge.gif");
    WriteBytes(gif, Gif(12, 34));
    std::filesystem::resize_file(gif, 8ull << 30);
    EXPECT_EQ(ReadPictureFileSize(gif), (PictureSize{12, 34}));

    const std::string jpeg = dir_.File("huge.jpg");
    WriteBytes(jpeg, kSoi + Segment(0xE0, "x"));
    std::filesystem::resize_file(jpeg, 8ull << 30);
    EXPECT_EQ(ReadPictureFileSize(jpeg), std::nullopt);
}

TEST_F(PictureFiles, FactoryLoadsFilesAndTheProgramsOwnPictures) {
    VirtualTime time;
    DiskStorage disk;
    HeadlessWindowFactory factory(time, disk);
    const std::string path = dir_.File("face.bmp");
    WriteBytes(path, Bmp(33, 21));
    const PicturePtr face = factory.LoadPictureFile(path);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->Source(), path);
    EXPECT_EQ(face->WidthPixels(), 33);
    EXPECT_EQ(face->HeightPixels(), 21);
    EXPECT_EQ(factory.LoadPictureFile(dir_.File("none.bmp")), nullptr);

    for (const char* name :
         {"UP-NORMAL", "DOWN-NORMAL", "RUN-NORMAL", "RUN-CLICK", "EXIT-NORMAL", "SPLASH"}) {
        const PicturePtr picture = factory.LoadPictureResource(name);
        ASSERT_NE(picture, nullptr) << name;
        EXPECT_EQ(picture->Source(), name);
        EXPECT_GT(picture->WidthPixels(), 0) << name;
        EXPECT_GT(picture->HeightPixels(), 0) << name;
    }
    EXPECT_EQ(factory.LoadPictureResource("NO-SUCH-PICTURE"), nullptr);
}

}  // namespace
}  // namespace zindle
