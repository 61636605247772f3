// The Win32 services the core relies on, against the real system calls.

#include <gtest/gtest.h>

#include <objbase.h>

#include <random>

#include "frontends/win32/wide_text.h"
#include "frontends/win32/win32_api.h"
#include "frontends/win32/win32_pictures.h"
#include "frontends/win32/win32_system.h"
#include "resources/resources.h"
#include "temp_dir.h"

namespace zindle::test {
namespace {

TEST(WideText, ConvertsBothWaysAndCountsCharactersAcrossSurrogatePairs) {
    const std::string text = "a\xC3\xA9\xF0\x9F\x98\x80z";  // a, é, an emoji (two UTF-16 units), z
    const std::wstring wide = Widen(text);
    ASSERT_EQ(wide.size(), 5u);
    EXPECT_EQ(Narrow(wide), text);
    EXPECT_EQ(Utf16Index(wide, 3), 4);  // after the emoji
    EXPECT_EQ(Utf16Index(wide, 99), 5);
    EXPECT_EQ(CharacterIndex(wide, 4), 3);
    EXPECT_EQ(CharacterIndex(wide, -1), 0);
}

class RegistryTest : public ::testing::Test {
protected:
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, Widen(key_).c_str()); }
    std::string key_ = "Software\\ZindleTest\\" + std::to_string(std::random_device{}());
    Win32System system_{""};
};

TEST_F(RegistryTest, BinaryBlocksRoundTripAndOtherTypesReadAsMissing) {
    EXPECT_FALSE(system_.ReadRegistryBinary(key_).has_value());
    const std::vector<std::uint8_t> block(90, 0xA5);
    ASSERT_TRUE(system_.WriteRegistryBinary(key_, block));
    EXPECT_EQ(system_.ReadRegistryBinary(key_), block);

    // A text value where the block belongs is not a block.
    const wchar_t text[] = L"not a block";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, Widen(key_).c_str(), nullptr, REG_SZ, text, sizeof text),
              ERROR_SUCCESS);
    EXPECT_FALSE(system_.ReadRegistryBinary(key_).has_value());
}

TEST(Win32Pictures, ResourcesDecodeAndFilesThatAreNoPictureDoNot) {
    // The imaging component is a COM server, as in the program.
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    for (const char* name : {"UP-NORMAL", "SPLASH"}) {
        const auto bytes = ResourceBytes(name);
        ASSERT_TRUE(bytes) << name;
        const PicturePtr picture = DecodePictureBytes(*bytes, name);
        ASSERT_TRUE(picture) << name;
        EXPECT_GT(picture->WidthPixels(), 0);
        EXPECT_EQ(picture->Source(), name);
    }
    TempDir dir;
    WriteBytes(dir.File("fake.bmp"), "BM this is text");
    EXPECT_EQ(DecodePictureFile(dir.File("fake.bmp")), nullptr);
    EXPECT_EQ(DecodePictureFile(dir.File("missing.png")), nullptr);
    EXPECT_EQ(DecodePictureBytes({}, "empty"), nullptr);
}

}  // namespace
}  // namespace zindle::test
