// LoadSkin: reading skin.ini, applying it, and refusing what cannot be used.

#include <string>
#include <utility>
#include <vector>

#include "skinning_fixture.h"

namespace zindle {
namespace {

constexpr int kPx = 15;

std::string SkinError(const std::string& text) { return "msgbox: Skin Error | " + text + " | information | ok"; }

// The clock font of a skin that names none. A clock label that already shows
// it keeps the width the skin gives it until its text changes; a new font
// would make it fit itself to its text.
FontSpec DefaultClockFont() {
    FontSpec font;
    font.name = "Ms Sans Serif";
    font.size = 12;
    return font;
}

TEST_F(SkinningTest, CompleteSkinWithDefaultsTakesEffect) {
    WriteSkin("plain", CompleteSkin());
    swapTag = "2";
    skin.gClockFont = DefaultClockFont();
    lblTimer->SetFont(skin.gClockFont);
    skinning->LoadSkin("plain");

    EXPECT_TRUE(output.empty());
    EXPECT_EQ(skin.gSkinName, "plain");
    EXPECT_EQ(skin.gBarHeight, 21);
    EXPECT_EQ(appBar.calls, (std::vector<std::string>{"height 21", "update"}));

    EXPECT_EQ(picSwapPos->Left(), 1 * kPx);
    EXPECT_EQ(picSwapPos->Width(), 23 * kPx);
    EXPECT_EQ(txtCmd->Left(), 23 * kPx);
    EXPECT_EQ(txtCmd->Width(), 225 * kPx);
    EXPECT_EQ(picRunCmd->Left(), 248 * kPx);
    EXPECT_EQ(picClose->Left(), 1002 * kPx);
    EXPECT_EQ(picClose->Width(), 31 * kPx);
    EXPECT_EQ(lblMsg->Left(), 100 * kPx);
    EXPECT_EQ(lblMsg->Width(), 844 * kPx);
    EXPECT_EQ(lblMsg->GetAlignment(), Alignment::Center);
    EXPECT_EQ(lblTimer->Left(), 0);
    EXPECT_EQ(lblTimer->Width(), 924 * kPx);
    EXPECT_EQ(lblTimer->GetAlignment(), Alignment::Right);

    EXPECT_EQ(FileName(GetSkinPicture(skin, kFaceUp, kStateOver)), "up-over.bmp");
    EXPECT_EQ(FileName(GetSkinPicture(skin, kFaceDown, kStateClick)), "down-click.bmp");
    EXPECT_EQ(FileName(GetSkinPicture(skin, kFaceRun, kStateClick)), "run-click.bmp");
    EXPECT_EQ(FileName(GetSkinPicture(skin, kFaceExit, kStateNormal)), "exit-normal.bmp");
    EXPECT_EQ(FileName(picSwapPos->GetPicture()), "down-normal.bmp");
    EXPECT_EQ(FileName(picRunCmd->GetPicture()), "run-normal.bmp");

    EXPECT_EQ(GetSkinColor(skin, 7), MakeColour(255, 0, 0));
    EXPECT_FALSE(lblMsg->Font().bold);
    EXPECT_EQ(lblTimer->Font().name, "Ms Sans Serif");
    EXPECT_EQ(lblTimer->Font().size, 12);
    EXPECT_TRUE(Bar().BackgroundPictures().empty());
}

TEST_F(SkinningTest, SkinValuesPlaceColourAndStyleTheControls) {
    SkinIni ini = CompleteSkin();
    ini["info"]["height"] = "30";
    ini["command"] = {{"left", "23"},   {"right", "-120"},       {"top", "1.5"},   {"height", "18"},
                      {"border", "0"},  {"align", "1"},          {"bg-color", "102030"},
                      {"txt-color", "A0B0C0"}, {"font", "Tahoma"}, {"size", "9.5"}, {"bold", "yes"},
                      {"underline", "1"}};
    ini["exit"]["left"] = "-22";
    ini["status"] = {{"txt-color", "00FF00"}, {"working", "0000FF"}, {"italic", "true"}};
    ini["clock"] = {{"align", "0"}, {"left", "-150"}, {"txt-color", "123456"}, {"strike", "y"}};
    ini["background"]["color"] = "FEDCBA";
    WriteSkin("styled", ini);
    skinning->LoadSkin("styled");

    ASSERT_TRUE(output.empty()) << output.front();
    EXPECT_EQ(appBar.calls, (std::vector<std::string>{"height 30", "update"}));
    EXPECT_EQ(txtCmd->Width(), (1024 - 120 - 23) * kPx);
    EXPECT_EQ(txtCmd->Top(), 22);  // 22.5 twips, halves to even
    EXPECT_EQ(txtCmd->BorderStyle(), 0);
    EXPECT_EQ(txtCmd->GetAlignment(), Alignment::Right);
    EXPECT_EQ(picClose->Left(), (1024 - 22) * kPx);
    EXPECT_EQ(lblTimer->Left(), (1024 - 150) * kPx);

    EXPECT_EQ(window->BackColor(), MakeColour(0xFE, 0xDC, 0xBA));
    EXPECT_EQ(txtCmd->BackColor(), MakeColour(0x10, 0x20, 0x30));
    EXPECT_EQ(txtCmd->ForeColor(), MakeColour(0xA0, 0xB0, 0xC0));
    EXPECT_EQ(lblMsg->ForeColor(), MakeColour(0, 255, 0));
    EXPECT_EQ(GetSkinColor(skin, 7), MakeColour(0, 0, 255));
    EXPECT_EQ(lblTimer->ForeColor(), MakeColour(0x12, 0x34, 0x56));

    FontSpec command;
    command.name = "Tahoma";
    command.size = 9.5;
    command.bold = true;
    command.underline = true;
    EXPECT_EQ(txtCmd->Font(), command);
    EXPECT_EQ(skin.gCommandFont, command);
    EXPECT_TRUE(lblMsg->Font().italic);
    EXPECT_TRUE(lblTimer->Font().strikethrough);
}

TEST_F(SkinningTest, BackgroundIsTiledThenPaintedAtBothEnds) {
    SkinIni ini = CompleteSkin();
    ini["background"] = {{"tile", "tile.bmp"}, {"left", "sub/left.bmp"}, {"right", "right.bmp"}};
    WriteImage("painted", "tile.bmp", 100, 21);
    WriteImage("painted", "right.bmp", 40, 21);
    WriteSkin("painted", ini);
    skinning->LoadSkin("painted");

    std::vector<std::pair<std::string, int>> drawn;
    for (const BackgroundPicture& picture : Bar().BackgroundPictures()) {
        drawn.emplace_back(FileName(platform.windows.LoadPictureFile(picture.source)), picture.left / kPx);
    }
    std::vector<std::pair<std::string, int>> expected;
    for (int left = 0; left <= 1000; left += 100) expected.emplace_back("tile.bmp", left);
    expected.emplace_back("left.bmp", 0);
    expected.emplace_back("right.bmp", 984);
    EXPECT_EQ(drawn, expected);

    // A skin without a tile leaves the bar without background pictures.
    WriteSkin("bare", CompleteSkin());
    skinning->LoadSkin("bare");
    EXPECT_TRUE(Bar().BackgroundPictures().empty());
}

TEST_F(SkinningTest, HiddenButtonsKeepTheirPictures) {
    skinning->LoadBaseSkin();
    SkinIni ini = CompleteSkin();
    ini["run"] = {{"visible", "no"}};
    ini["updown"] = {{"visible", "false"}};
    WriteSkin("norun", ini);
    skinning->LoadSkin("norun");

    EXPECT_TRUE(output.empty());
    EXPECT_FALSE(picRunCmd->Visible());
    EXPECT_FALSE(picSwapPos->Visible());
    EXPECT_EQ(PictureSource(kFaceRun, kStateNormal), "RUN-NORMAL");
    EXPECT_EQ(PictureSource(kFaceRun, kStateClick), "RUN-CLICK");
    EXPECT_EQ(PictureSource(kFaceUp, kStateNormal), "UP-NORMAL");
    EXPECT_EQ(picRunCmd->GetPicture()->Source(), "RUN-NORMAL");
    EXPECT_EQ(FileName(GetSkinPicture(skin, kFaceExit, kStateOver)), "exit-over.bmp");
}

TEST_F(SkinningTest, BlankNameBringsBackTheBaseSkin) {
    WriteSkin("plain", CompleteSkin());
    skinning->LoadSkin("plain");
    appBar.calls.clear();
    skinning->LoadSkin("   ");

    EXPECT_EQ(skin.gSkinName, "   ");
    EXPECT_EQ(PictureSource(kFaceRun, kStateNormal), "RUN-NORMAL");
    EXPECT_EQ(picClose->Left(), 1001 * kPx);
    EXPECT_EQ(appBar.calls, (std::vector<std::string>{"height 21", "update"}));
    EXPECT_TRUE(output.empty());
}

TEST_F(SkinningTest, VersionThreeAndAboveAreAccepted) {
    for (const char* version : {"3", "3.0", "10"}) {
        SkinIni ini = CompleteSkin();
        ini["info"]["version"] = version;
        WriteSkin(std::string("v") + version, ini);
        skinning->LoadSkin(std::string("v") + version);
        EXPECT_TRUE(output.empty()) << version;
    }
}

TEST_F(SkinningTest, RefusedSkinsLeaveTheBarAsItWas) {
    skinning->LoadBaseSkin();
    appBar.calls.clear();

    std::filesystem::create_directories(dir.Path() / "skins" / "empty");
    SkinIni old = CompleteSkin();
    old["info"]["version"] = "2.9";
    WriteSkin("old", old);
    SkinIni words = CompleteSkin();
    words["info"]["version"] = "abc";
    WriteSkin("words", words);
    SkinIni noInfo = CompleteSkin();
    noInfo.erase("info");
    WriteSkin("noinfo", noInfo);
    WriteSkin("plain", CompleteSkin());

    const std::string notVersion3 = SkinError("This skin is not a Version 3 Skin, I can't load it.");
    const std::vector<std::pair<std::string, std::string>> cases{
        {"nothere", SkinError("Skin 'nothere' not found.")},
        {"empty", SkinError("Skin 'empty' not found.")},
        {" plain", SkinError("Skin ' plain' not found.")},
        {"old", notVersion3},
        {"words", notVersion3},
        {"noinfo", notVersion3},
    };
    const std::string before = Snapshot();
    for (const auto& [name, message] : cases) {
        output.clear();
        skinning->LoadSkin(name);
        EXPECT_EQ(output, std::vector<std::string>{message}) << name;
        EXPECT_EQ(skin.gSkinName, name);
        EXPECT_EQ(Snapshot(), before) << name;
    }
    EXPECT_TRUE(appBar.calls.empty());
}

TEST_F(SkinningTest, BrokenSkinsAreRefusedWholeWithTheirProblemNamed) {
    skinning->LoadBaseSkin();
    appBar.calls.clear();

    struct Case {
        const char* section;
        const char* key;
        const char* value;  // nullptr removes the key
        std::string problem;
    };
    const std::vector<Case> cases{
        {"updown", "up-over", nullptr, "no image is named for \"up-over\" in section [updown]."},
        {"exit", "click", "gone.gif", "image 'gone.gif' (\"click\" in section [exit]) could not be loaded."},
        {"run", "over", "junk.bmp", "image 'junk.bmp' (\"over\" in section [run]) could not be loaded."},
        {"background", "tile", "gone.gif",
         "image 'gone.gif' (\"tile\" in section [background]) could not be loaded."},
        {"run", "width", "-5", "\"width\" in section [run] is out of range."},
        {"updown", "top", "1e9", "\"top\" in section [updown] is out of range."},
        {"status", "right", "50", "\"right\" in section [status] gives a negative width."},
        {"command", "right", "10", "\"right\" in section [command] gives a negative width."},
        {"command", "align", "7", "\"align\" in section [command] is out of range."},
        {"command", "border", "2", "\"border\" in section [command] is out of range."},
        {"clock", "size", "0", "\"size\" in section [clock] is out of range."},
        {"info", "height", "-4", "\"height\" in section [info] is out of range."},
    };
    const std::string before = Snapshot();
    int number = 0;
    for (const Case& c : cases) {
        const std::string name = "broken" + std::to_string(number++);
        SkinIni ini = CompleteSkin();
        if (c.value == nullptr) {
            ini[c.section].erase(c.key);
        } else {
            ini[c.section][c.key] = c.value;
        }
        std::filesystem::create_directories(dir.Path() / "skins" / name);
        WriteBytes((dir.Path() / "skins" / name / "junk.bmp").string(), "BM not really");
        WriteSkin(name, ini);

        output.clear();
        skinning->LoadSkin(name);
        EXPECT_EQ(output, std::vector<std::string>{SkinError("Skin '" + name + "': " + c.problem)}) << name;
        EXPECT_EQ(Snapshot(), before) << name;
    }
    EXPECT_TRUE(appBar.calls.empty());
}

TEST_F(SkinningTest, OnlyTheClockEdgeInUseIsChecked) {
    // A "right" left of the bar's start would give a negative width, but a
    // left-aligned clock never reads it.
    SkinIni ini = CompleteSkin();
    ini["clock"] = {{"align", "0"}, {"left", "-80"}, {"right", "-2000"}};
    WriteSkin("left", ini);
    skin.gClockFont = DefaultClockFont();
    lblTimer->SetFont(skin.gClockFont);
    const int clockWidth = lblTimer->Width();
    skinning->LoadSkin("left");
    EXPECT_TRUE(output.empty());
    EXPECT_EQ(lblTimer->Left(), (1024 - 80) * kPx);
    EXPECT_EQ(lblTimer->Width(), clockWidth);

    ini["clock"] = {{"align", "2"}, {"right", "-200"}};
    WriteSkin("centred", ini);
    skinning->LoadSkin("centred");
    EXPECT_TRUE(output.empty());
    EXPECT_EQ(lblTimer->Left(), 0);
    EXPECT_EQ(lblTimer->Width(), 824 * kPx);
    EXPECT_EQ(lblTimer->GetAlignment(), Alignment::Center);

    ini["clock"] = {{"align", "1"}, {"right", "-2000"}};
    WriteSkin("far", ini);
    skinning->LoadSkin("far");
    EXPECT_EQ(output, std::vector<std::string>{
                          SkinError("Skin 'far': \"right\" in section [clock] gives a negative width.")});
}

TEST_F(SkinningTest, ControlsArePlacedForTheWidthTheBarDocksTo) {
    SkinIni ini = CompleteSkin();
    ini["background"]["right"] = "right.bmp";
    WriteSkin("plain", ini);
    // A bar resized away from its strip gets the strip's width back as the skin docks it.
    SetBarWidth(800);
    appBar.onUpdate = [this] { SetBarWidth(1024); };
    skin.gClockFont = DefaultClockFont();
    lblTimer->SetFont(skin.gClockFont);
    skinning->LoadSkin("plain");
    EXPECT_TRUE(output.empty());
    EXPECT_EQ(picClose->Left(), 1002 * kPx);
    EXPECT_EQ(lblMsg->Width(), 844 * kPx);
    EXPECT_EQ(lblTimer->Width(), 924 * kPx);
    ASSERT_EQ(Bar().BackgroundPictures().size(), 1u);
    EXPECT_EQ(Bar().BackgroundPictures().front().left, 1004 * kPx);
}

TEST_F(SkinningTest, ASkinThatDoesNotFitTheDockedWidthIsRefusedAndTheHeightRestored) {
    skinning->LoadBaseSkin();
    SkinIni ini = CompleteSkin();
    ini["info"]["height"] = "30";
    WriteSkin("plain", ini);
    appBar.calls.clear();
    // Docked, the bar is too narrow for the status line between 100 and -80.
    appBar.onUpdate = [this] { SetBarWidth(appBar.dockedHeight == 30 ? 150 : 1024); };
    const std::string before = Snapshot();
    skinning->LoadSkin("plain");
    EXPECT_EQ(output, std::vector<std::string>{
                          SkinError("Skin 'plain': \"right\" in section [status] gives a negative width.")});
    EXPECT_EQ(appBar.calls, (std::vector<std::string>{"height 30", "update", "height 21", "update"}));
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(SkinningTest, PositionsFromTheRightWorkOnWideBars) {
    SetBarWidth(3000);
    WriteSkin("plain", CompleteSkin());
    skinning->LoadSkin("plain");
    EXPECT_TRUE(output.empty());
}

TEST_F(SkinningTest, SampleSkinsLoad) {
    SetProgramPaths(settings, ZINDLE_SOURCE_DIR, '/');
    for (const char* name : {"midnight", "paper"}) {
        skinning->LoadBaseSkin();
        skinning->LoadSkin(name);
        EXPECT_TRUE(output.empty()) << name << ": " << (output.empty() ? "" : output.front());
        for (int face = kFaceUp; face <= kFaceExit; ++face) {
            for (int state = kStateNormal; state <= kStateClick; ++state) {
                EXPECT_NE(PictureSource(face, state).find(std::string("skins/") + name + "/"), std::string::npos)
                    << name << " " << face << "," << state;
            }
        }
        EXPECT_GT(Bar().BackgroundPictures().size(), 2u) << name;
        EXPECT_GT(skin.gBarHeight, 21) << name;
    }
}

}  // namespace
}  // namespace zindle
