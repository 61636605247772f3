// The base skin, ApplySkin, the background painters, ResolveSkinX and
// ParseSkinColor.

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "skinning_fixture.h"

namespace zindle {
namespace {

constexpr int kPx = 15;

TEST_F(SkinningTest, TheProgramCarriesItsOwnPictures) {
    const std::vector<std::tuple<std::string, int, int>> expected{
        {"UP-NORMAL", 22, 20}, {"DOWN-NORMAL", 22, 20}, {"RUN-NORMAL", 31, 20},
        {"RUN-CLICK", 31, 20}, {"EXIT-NORMAL", 23, 20}, {"splash", 362, 84}};
    for (const auto& [name, width, height] : expected) {
        const PicturePtr picture = platform.windows.LoadPictureResource(name);
        ASSERT_TRUE(picture) << name;
        EXPECT_EQ(picture->WidthPixels(), width) << name;
        EXPECT_EQ(picture->HeightPixels(), height) << name;
    }
    EXPECT_FALSE(platform.windows.LoadPictureResource("UP-OVER"));
}

TEST_F(SkinningTest, BaseSkinLaysOutA1024PixelBar) {
    ASSERT_EQ(window->Width(), 1024 * kPx);
    // The clock already shows the base skin's font, as after start-up; a new
    // font would make it fit itself to its text again.
    skinning->LoadBaseSkin();
    appBar.calls.clear();
    const int clockWidth = lblTimer->Width();
    lblTimer->SetLeft(0);
    skinning->LoadBaseSkin();

    EXPECT_EQ(picSwapPos->Left(), 1 * kPx);
    EXPECT_EQ(picSwapPos->Width(), 23 * kPx);
    EXPECT_EQ(txtCmd->Left(), 23 * kPx);
    EXPECT_EQ(txtCmd->Width(), 226 * kPx);
    EXPECT_EQ(txtCmd->BorderStyle(), 1);
    EXPECT_EQ(picRunCmd->Left(), 248 * kPx);
    EXPECT_EQ(picClose->Left(), 1001 * kPx);
    EXPECT_EQ(picClose->Width(), 23 * kPx);
    EXPECT_EQ(lblMsg->Left(), 279 * kPx);
    EXPECT_EQ(lblMsg->Width(), 745 * kPx);
    EXPECT_EQ(lblMsg->GetAlignment(), Alignment::Center);
    EXPECT_EQ(lblTimer->Width(), clockWidth);
    EXPECT_EQ(lblTimer->Left() + lblTimer->Width(), 1001 * kPx);
    EXPECT_EQ(lblTimer->GetAlignment(), Alignment::Right);
    for (Control* control : std::vector<Control*>{picSwapPos.get(), txtCmd.get(), picRunCmd.get(), picClose.get(),
                                                  lblMsg.get(), lblTimer.get()}) {
        EXPECT_EQ(control->Top(), 0);
        EXPECT_EQ(control->Height(), 20 * kPx);
    }

    EXPECT_EQ(skin.gBarHeight, 21);
    EXPECT_EQ(appBar.calls, (std::vector<std::string>{"height 21", "update"}));
    EXPECT_TRUE(output.empty());
}

TEST_F(SkinningTest, BaseSkinFillsTheRecordAndTheControls) {
    lblMsg->SetVisible(false);
    txtCmd->SetAlignment(Alignment::Right);
    skinning->LoadBaseSkin();

    EXPECT_EQ(PictureSource(kFaceUp, kStateOver), "UP-NORMAL");
    EXPECT_EQ(PictureSource(kFaceRun, kStateNormal), "RUN-NORMAL");
    EXPECT_EQ(PictureSource(kFaceRun, kStateClick), "RUN-CLICK");
    EXPECT_EQ(picSwapPos->GetPicture()->Source(), "UP-NORMAL");
    EXPECT_EQ(picClose->GetPicture()->Source(), "EXIT-NORMAL");

    EXPECT_EQ(window->BackColor(), MakeColour(255, 255, 255));
    EXPECT_EQ(GetSkinColor(skin, 7), MakeColour(255, 0, 0));
    EXPECT_TRUE(lblMsg->Font().bold);
    EXPECT_EQ(txtCmd->Font(), skin.gCommandFont);

    // What the base skin leaves alone.
    EXPECT_FALSE(lblMsg->Visible());
    EXPECT_EQ(txtCmd->GetAlignment(), Alignment::Right);
}

TEST_F(SkinningTest, BaseSkinDuringStartUpDoesNotDockAgain) {
    settings.gStartingUp = true;
    skinning->LoadBaseSkin();
    EXPECT_EQ(appBar.calls, (std::vector<std::string>{"height 21"}));
}

TEST_F(SkinningTest, BaseSkinOnANarrowBarKeepsWidthsValid) {
    SetBarWidth(200);
    skinning->LoadBaseSkin();
    EXPECT_EQ(lblMsg->Width(), 0);
    EXPECT_EQ(picClose->Left(), 177 * kPx);
    EXPECT_EQ(unloads, 0);
}

// Passes everything on, except that one resource is missing.
class MissingResourceFactory final : public WindowFactory {
public:
    MissingResourceFactory(WindowFactory& inner, std::string missing)
        : inner_(inner), missing_(std::move(missing)) {}
    std::unique_ptr<Window> CreateWindow(const std::string& name, const std::string& caption,
                                         WindowKind kind) override {
        return inner_.CreateWindow(name, caption, kind);
    }
    PicturePtr LoadPictureFile(const std::string& path) override { return inner_.LoadPictureFile(path); }
    PicturePtr LoadPictureResource(const std::string& name) override {
        return name == missing_ ? nullptr : inner_.LoadPictureResource(name);
    }
    void ReleaseCapture() override { inner_.ReleaseCapture(); }
    void RunModal(Window& dialog, Window& owner) override { inner_.RunModal(dialog, owner); }

private:
    WindowFactory& inner_;
    std::string missing_;
};

TEST_F(SkinningTest, BaseSkinWithoutItsPicturesSaysSoAndUnloadsTheBar) {
    MissingResourceFactory factory(platform.windows, "EXIT-NORMAL");
    std::unique_ptr<Skinning> broken = MakeSkinning(factory);
    const std::string before = Snapshot();
    broken->LoadBaseSkin();

    EXPECT_EQ(output, (std::vector<std::string>{
                          "msgbox: Internal Error | Error trying to reload Internal Base Skin.\\nSomething is "
                          "irretrivably broken, please re-install or seek help! | none | ok"}));
    EXPECT_EQ(unloads, 1);
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(SkinningTest, ApplySkinShowsTheFaceTheSwapTagNames) {
    skinning->LoadBaseSkin();
    swapTag = "2";
    skinning->ApplySkin();
    EXPECT_EQ(picSwapPos->GetPicture()->Source(), "DOWN-NORMAL");
    swapTag = "1";
    skinning->ApplySkin();
    EXPECT_EQ(picSwapPos->GetPicture()->Source(), "UP-NORMAL");
}

TEST_F(SkinningTest, ApplySkinClearsThePaintedBackground) {
    WriteImage("any", "tile.bmp", 100, 21);
    ASSERT_TRUE(skinning->TileBackground(settings.gAppPath + "skins/any/tile.bmp"));
    skinning->LoadBaseSkin();
    EXPECT_TRUE(Bar().BackgroundPictures().empty());
}

std::vector<int> Lefts(const std::vector<BackgroundPicture>& pictures) {
    std::vector<int> lefts;
    for (const BackgroundPicture& picture : pictures) lefts.push_back(picture.left / kPx);
    return lefts;
}

TEST_F(SkinningTest, TilesCoverTheWholeBar) {
    WriteImage("any", "tile.bmp", 100, 21);
    const std::string tile = settings.gAppPath + "skins/any/tile.bmp";
    const std::vector<int> expected{0, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000};

    ASSERT_TRUE(skinning->TileBackground(tile));
    EXPECT_EQ(Lefts(Bar().BackgroundPictures()), expected);

    window->ClearBackgroundPictures();
    SetBarWidth(1000);
    ASSERT_TRUE(skinning->TileBackground(tile));
    EXPECT_EQ(Lefts(Bar().BackgroundPictures()), expected);
}

TEST_F(SkinningTest, LeftAndRightImagesMeetTheBarsEdges) {
    WriteImage("any", "edge.bmp", 40, 21);
    const std::string edge = settings.gAppPath + "skins/any/edge.bmp";
    ASSERT_TRUE(skinning->PaintLeftImage(edge));
    ASSERT_TRUE(skinning->PaintRightImage(edge));
    EXPECT_EQ(Lefts(Bar().BackgroundPictures()), (std::vector<int>{0, 984}));
    EXPECT_EQ(Bar().BackgroundPictures()[1].top, 0);
}

TEST_F(SkinningTest, PaintersRefuseWhatTheyCannotDraw) {
    WriteBytes((dir.Path() / "junk.bmp").string(), "not a picture");
    WriteImage("any", "edge.bmp", 40, 21);
    EXPECT_FALSE(skinning->TileBackground(dir.File("junk.bmp")));
    EXPECT_FALSE(skinning->PaintLeftImage(dir.File("missing.bmp")));
    EXPECT_TRUE(Bar().BackgroundPictures().empty());
    // A wide screen is no limit: the right edge of a bar 3000 pixels wide.
    SetBarWidth(3000);
    EXPECT_TRUE(skinning->PaintRightImage(settings.gAppPath + "skins/any/edge.bmp"));
    EXPECT_EQ(Bar().BackgroundPictures().at(0).left, 2960 * kPx);
}

TEST_F(SkinningTest, ResolveSkinXCountsNegativePositionsFromTheRightEdge) {
    EXPECT_EQ(skinning->ResolveSkinX(0), 0);
    EXPECT_EQ(skinning->ResolveSkinX(248), 248 * kPx);
    EXPECT_EQ(skinning->ResolveSkinX(-22), 1002 * kPx);
    SetBarWidth(800);
    EXPECT_EQ(skinning->ResolveSkinX(-22), 778 * kPx);
    // Wide bars keep working past 16-bit twips.
    EXPECT_EQ(skinning->ResolveSkinX(3000), 3000 * kPx);
    SetBarWidth(3000);
    EXPECT_EQ(skinning->ResolveSkinX(-22), 2978 * kPx);
}

TEST(ParseSkinColorTest, ReadsThreeHexPairs) {
    EXPECT_EQ(ParseSkinColor("FF0000"), MakeColour(255, 0, 0));
    EXPECT_EQ(ParseSkinColor("000080"), MakeColour(0, 0, 128));
    EXPECT_EQ(ParseSkinColor("12abEF"), MakeColour(0x12, 0xAB, 0xEF));
    // A "#" spoils the first pair only.
    EXPECT_EQ(ParseSkinColor("#123456"), MakeColour(0, 0x23, 0x56));
    // Short texts: first two, third and fourth, last two characters.
    EXPECT_EQ(ParseSkinColor("FFF"), MakeColour(255, 15, 255));
    EXPECT_EQ(ParseSkinColor("A"), MakeColour(10, 0, 10));
    EXPECT_EQ(ParseSkinColor(""), MakeColour(0, 0, 0));
    // Each pair by its leading run of hex digits.
    EXPECT_EQ(ParseSkinColor("1G2H3Z"), MakeColour(1, 2, 3));
    EXPECT_EQ(ParseSkinColor("red"), MakeColour(0, 0x0D, 0xED));
    // Characters, not bytes.
    EXPECT_EQ(ParseSkinColor("\xC3\xA9" "1234A"), MakeColour(0, 0x23, 0x4A));
    EXPECT_EQ(ParseSkinColor("12\xE2\x82\xAC" "456"), MakeColour(0x12, 0, 0x56));
    EXPECT_EQ(ParseSkinColor("FFFFFFFF00"), MakeColour(255, 255, 0));
}

}  // namespace
}  // namespace zindle
