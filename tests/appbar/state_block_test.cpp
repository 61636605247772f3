// The 90-byte state block and its way through the registry.

#include <filesystem>

#include "appbar_fixture.h"

namespace zindle {
namespace {

TEST(StateBlock, LayoutAndDecoding) {
    StateBlock block;
    block.slideTime = 0x01020304;
    block.taskbarButton = 0x00070001;
    std::vector<std::uint8_t> bytes = EncodeStateBlock(block);
    ASSERT_EQ(bytes.size(), 90u);
    const std::vector<std::uint8_t> head{90, 0, 0, 0, 5, 0, 0, 0, 31, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0,
                                         4, 3, 2, 1};
    EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes.begin()));
    EXPECT_EQ(bytes[88], 1);
    EXPECT_EQ(bytes[89], 0);

    bytes[12] = 1;     // any non-zero Boolean is true
    bytes[18] = 0xAB;  // reserved: ignored, written back as 0
    StateBlock current;
    current.taskbarButton = 0x00050002;
    const std::optional<StateBlock> decoded = DecodeStateBlock(bytes, current);
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(decoded->autoHide);
    EXPECT_EQ(decoded->slideTime, 0x01020304);
    EXPECT_EQ(decoded->taskbarButton, 0x00050001);
    EXPECT_EQ(EncodeStateBlock(*decoded)[18], 0);
}

TEST_F(AppBarTest, SaveThenLoadRestoresEveryFieldByteForByte) {
    appBar_->SetRegistryKey("Software\\Orvane\\Zindle");
    EXPECT_FALSE(appBar_->LoadSettings());  // nothing stored yet
    int value = 100;
    for (const auto setter :
         {&TAppBar::SetSlideTime, &TAppBar::SetWidthStep, &TAppBar::SetDockedWidth, &TAppBar::SetFloatLeft,
          &TAppBar::SetFloatTop, &TAppBar::SetFloatRight, &TAppBar::SetFloatBottom, &TAppBar::SetMinFloatWidth,
          &TAppBar::SetMinFloatHeight, &TAppBar::SetMaxFloatWidth, &TAppBar::SetMaxFloatHeight,
          &TAppBar::SetMinDockedHeight, &TAppBar::SetMaxDockedHeight}) {
        (appBar_.get()->*setter)(value++);
    }
    appBar_->SetEdge(kEdgeBottom);
    appBar_->SetAllowFlags(12);
    appBar_->SetAutoHide(true);
    appBar_->SetAlwaysOnTop(false);
    appBar_->SetSlideEffect(false);
    appBar_->SetHeightStep(-7);
    appBar_->SetDockedHeight(21);
    appBar_->SetTaskbarButton(1);
    ASSERT_TRUE(appBar_->SaveSettings());
    const std::string saved = ReadBytes(RegistryFile());
    ASSERT_EQ(saved.size(), 90u);

    TAppBar loaded(bundle_);
    loaded.SetRegistryKey("Software\\Orvane\\Zindle");
    for (const std::string& wrongSize : {saved.substr(0, 89), saved + '\0'}) {
        WriteBytes(RegistryFile(), wrongSize);
        EXPECT_FALSE(loaded.LoadSettings());
        EXPECT_EQ(loaded.DockedHeight(), 32);
    }
    WriteBytes(RegistryFile(), saved);
    loaded.SetRegistryRoot(0x80000002u);  // not a root the platform reaches
    EXPECT_FALSE(loaded.LoadSettings());
    loaded.SetRegistryRoot(kHkeyCurrentUser);
    ASSERT_TRUE(loaded.LoadSettings());
    EXPECT_EQ(loaded.Edge(), kEdgeBottom);
    EXPECT_EQ(loaded.HeightStep(), -7);
    EXPECT_EQ(loaded.MaxDockedHeight(), 112);
    std::filesystem::remove(RegistryFile());
    ASSERT_TRUE(loaded.SaveSettings());
    EXPECT_EQ(ReadBytes(RegistryFile()), saved);
}

}  // namespace
}  // namespace zindle
