// LoadSkin: reads a skin directory's skin.ini and applies it to the bar.
//
// The skin is read and checked in full first (every value converted, every
// position and size computed, every picture loaded) and only then applied.
// So a skin with a missing picture or a value the bar cannot hold is refused
// with one message naming the problem, and the bar stays exactly as it was.
// The one exception: positions from the right edge are checked again against
// the width the bar has once docked at the skin's height, and a skin refused
// then leaves the bar docked back at its old height.

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

#include "appbar/appbar.h"
#include "profile/conversions.h"
#include "profile/file_system.h"
#include "profile/profile_store.h"
#include "profile/program_settings.h"
#include "skinning/skin_support.h"
#include "skinning/skinning.h"

namespace zindle {

namespace {

// Geometry of one control, in twips.
struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct Button {
    bool visible = false;
    Box box;
};

struct PictureSlot {
    int face = 0;
    int state = 0;
    PicturePtr picture;
};

}  // namespace

// Everything a skin sets, ready to go onto the bar.
struct Skinning::SkinPlan {
    std::int16_t barHeight = 0;
    Button swap;
    Box command;
    int commandBorder = 0;
    Alignment commandAlign = Alignment::Left;
    Button run;
    Button exit;
    Box status;
    Alignment statusAlign = Alignment::Left;
    Alignment clockAlign = Alignment::Left;
    int clockLeft = 0;
    int clockWidth = 0;
    int clockTop = 0;
    int clockHeight = 0;
    // The pictures of the shown buttons, in the order they are stored.
    std::vector<PictureSlot> pictures;
    // Slots 1 to 7 of gSkinColors; slot 3 is not a skin's to set.
    Colour background = 0;
    Colour commandBack = 0;
    Colour statusText = 0;
    Colour commandText = 0;
    Colour clockText = 0;
    Colour statusWorking = 0;
    FontSpec commandFont;
    FontSpec statusFont;
    FontSpec clockFont;
    PicturePtr tile;
    PicturePtr left;
    PicturePtr right;
    int rightLeft = 0;
};

namespace {

std::string Where(std::string_view section, std::string_view key) {
    return "\"" + std::string(key) + "\" in section [" + std::string(section) + "]";
}

// Reads one skin's values with their conversions and checks. The first value
// that cannot be used is kept as the problem; every read still returns a
// harmless value, and pictures are no longer loaded once there is a problem.
class SkinReader {
public:
    SkinReader(ProfileStore& store, WindowFactory& windows, const std::string& name, std::string directory,
               int barWidth)
        : store_(store),
          windows_(windows),
          name_(name),
          directory_(std::move(directory)),
          iniPath_(directory_ + "skin.ini"),
          barWidth_(barWidth) {}

    const std::optional<std::string>& Problem() const { return problem_; }

    std::string Text(std::string_view section, std::string_view key, std::string_view defaultValue) {
        return store_.ReadIniValue(section, key, defaultValue, iniPath_);
    }
    double Number(std::string_view section, std::string_view key, std::string_view defaultValue) {
        return LeadingNumber(Text(section, key, defaultValue));
    }
    std::int16_t Integer(std::string_view section, std::string_view key, std::string_view defaultValue) {
        return ToInt16(Text(section, key, defaultValue));
    }
    bool Flag(std::string_view section, std::string_view key, std::string_view defaultValue) {
        return ParseYesNo(Text(section, key, defaultValue));
    }
    Colour Color(std::string_view section, std::string_view key, std::string_view defaultValue) {
        return ParseSkinColor(Text(section, key, defaultValue));
    }

    // An x position in twips. Only a checked position can refuse the skin.
    int Position(std::string_view section, std::string_view key, std::string_view defaultValue,
                 bool checked = true) {
        return PositionOf(Integer(section, key, defaultValue), section, key, checked);
    }
    int PositionOf(std::int16_t x, std::string_view section, std::string_view key, bool checked = true) {
        const std::int64_t twips = SkinXTwips(x, barWidth_);
        if (checked && !FitsTwips(twips)) Fail(Where(section, key) + " is out of range.");
        return static_cast<int>(std::clamp(twips, kMinTwips, kMaxTwips));
    }

    // A length in twips: the pixels times 15, rounded (halves to even) only
    // because controls take whole twips. Sizes cannot be negative.
    int Length(std::string_view section, std::string_view key, std::string_view defaultValue, bool isSize) {
        const double twips = std::nearbyint(Number(section, key, defaultValue) * kTwipsPerPixel);
        const double lowest = isSize ? 0.0 : static_cast<double>(kMinTwips);
        if (!(twips >= lowest && twips <= static_cast<double>(kMaxTwips))) {
            Fail(Where(section, key) + " is out of range.");
            return 0;
        }
        return static_cast<int>(twips);
    }

    // The width from left to right, named after the key that gave right.
    int Width(int left, int right, std::string_view section, std::string_view key, bool checked = true) {
        const std::int64_t width = static_cast<std::int64_t>(right) - left;
        if (checked && width < 0) Fail(Where(section, key) + " gives a negative width.");
        if (checked && width > kMaxTwips) Fail(Where(section, key) + " is out of range.");
        return static_cast<int>(std::clamp<std::int64_t>(width, 0, kMaxTwips));
    }

    // A number that must lie in lowest..highest (alignments, border styles).
    int Choice(std::string_view section, std::string_view key, std::string_view defaultValue, int lowest,
               int highest) {
        const int value = Integer(section, key, defaultValue);
        if (value < lowest || value > highest) {
            Fail(Where(section, key) + " is out of range.");
            return lowest;
        }
        return value;
    }
    Alignment Align(std::string_view section, std::string_view key, std::string_view defaultValue) {
        return static_cast<Alignment>(Choice(section, key, defaultValue, 0, 2));
    }

    FontSpec Font(std::string_view section, std::string_view defaultName, std::string_view defaultSize) {
        FontSpec font;
        font.bold = Flag(section, "bold", "false");
        font.italic = Flag(section, "italic", "false");
        font.name = Text(section, "font", defaultName);
        font.size = Number(section, "size", defaultSize);
        font.strikethrough = Flag(section, "strike", "false");
        font.underline = Flag(section, "underline", "false");
        if (!(font.size > 0 && std::isfinite(font.size))) {
            Fail(Where(section, "size") + " is out of range.");
        }
        return font;
    }

    // A picture the skin must have. Null only together with a problem.
    PicturePtr Image(std::string_view section, std::string_view key) {
        const std::string file = Text(section, key, "");
        if (file.empty()) {
            Fail("no image is named for " + Where(section, key) + ".");
            return nullptr;
        }
        return Load(file, section, key);
    }

    // A picture the skin may leave out (empty value): null then.
    PicturePtr OptionalImage(std::string_view section, std::string_view key) {
        const std::string file = Text(section, key, "");
        if (file.empty()) return nullptr;
        return Load(file, section, key);
    }

    void Fail(const std::string& text) {
        if (!problem_) problem_ = "Skin '" + name_ + "': " + text;
    }

private:
    PicturePtr Load(const std::string& file, std::string_view section, std::string_view key) {
        if (problem_) return nullptr;
        PicturePtr picture = windows_.LoadPictureFile(directory_ + file);
        if (!picture) Fail("image '" + file + "' (" + Where(section, key) + ") could not be loaded.");
        return picture;
    }

    ProfileStore& store_;
    WindowFactory& windows_;
    const std::string& name_;
    std::string directory_;
    std::string iniPath_;
    int barWidth_;
    std::optional<std::string> problem_;
};

Button ReadButton(SkinReader& reader, std::string_view section,
                                      std::string_view defaultLeft, std::string_view defaultWidth) {
    Button button;
    button.visible = reader.Flag(section, "visible", "true");
    button.box.left = reader.Position(section, "left", defaultLeft);
    button.box.width = reader.Length(section, "width", defaultWidth, true);
    button.box.top = reader.Length(section, "top", "0", false);
    button.box.height = reader.Length(section, "height", "20", true);
    return button;
}

void ReadFaces(SkinReader& reader, std::string_view section, int face,
               std::initializer_list<std::string_view> keys,
               std::vector<PictureSlot>& pictures) {
    int state = kStateNormal;
    for (const std::string_view key : keys) {
        pictures.push_back({face, state++, reader.Image(section, key)});
    }
}

void Place(Control& control, const Box& box) {
    control.SetLeft(box.left);
    control.SetWidth(box.width);
    control.SetTop(box.top);
    control.SetHeight(box.height);
}

}  // namespace

void Skinning::LoadSkin(const std::string& name) {
    skin_.gSkinName = name;
    if (TrimBlanks(name).empty()) {
        LoadBaseSkin();
        return;
    }

    const char separator = settings_.gAppPath.empty() ? '/' : settings_.gAppPath.back();
    const std::string directory = settings_.gAppPath + "skins" + separator + name + separator;
    const std::string iniPath = directory + "skin.ini";
    FileStamp stamp;
    if (StatFile(iniPath, stamp) != FileState::Present) {
        ShowSkinError("Skin '" + name + "' not found.");
        return;
    }
    if (!(LeadingNumber(store_.ReadIniValue("info", "version", "0", iniPath)) >= 3)) {
        ShowSkinError("This skin is not a Version 3 Skin, I can't load it.");
        return;
    }

    SkinPlan plan;
    const int plannedWidth = controls_.window.Width();
    if (const std::optional<std::string> problem = PlanSkin(name, directory, plan)) {
        ShowSkinError(*problem);
        return;
    }
    // Docking at the skin's height comes first and may give the bar another
    // width (a bar resized away from its strip gets the strip's width back),
    // so the controls are placed against the width the bar has once docked.
    // A skin that does not fit that width is refused after all, and the bar
    // docks again at the height it had.
    const std::optional<int> previousHeight = DockAtHeight(plan.barHeight);
    if (controls_.window.Width() != plannedWidth) {
        plan = SkinPlan{};
        if (const std::optional<std::string> problem = PlanSkin(name, directory, plan)) {
            if (previousHeight) DockAtHeight(*previousHeight);
            ShowSkinError(*problem);
            return;
        }
    }
    ApplyPlan(plan);
}

std::optional<int> Skinning::DockAtHeight(int pixels) {
    if (appBar_ == nullptr) return std::nullopt;
    const int previous = appBar_->DockedHeight();
    appBar_->SetDockedHeight(pixels);
    appBar_->UpdateBar();
    return previous;
}

std::optional<std::string> Skinning::PlanSkin(const std::string& name, const std::string& directory,
                                              SkinPlan& plan) {
    SkinReader reader(store_, windows_, name, directory, controls_.window.Width());

    plan.barHeight = reader.Integer("info", "height", "21");
    if (plan.barHeight < 1) reader.Fail(Where("info", "height") + " is out of range.");

    plan.swap = ReadButton(reader, "updown", "1", "23");

    plan.command.left = reader.Position("command", "left", "23");
    const std::string commandRight = reader.Text("command", "right", "0");
    if (LeadingNumber(commandRight) != 0) {
        const int right = reader.PositionOf(ToInt16(commandRight), "command", "right");
        plan.command.width = reader.Width(plan.command.left, right, "command", "right");
    } else {
        plan.command.width = reader.Length("command", "width", "225", true);
    }
    plan.command.top = reader.Length("command", "top", "0", false);
    plan.command.height = reader.Length("command", "height", "20", true);
    plan.commandBorder = reader.Choice("command", "border", "1", 0, 1);
    plan.commandAlign = reader.Align("command", "align", "0");

    plan.run = ReadButton(reader, "run", "248", "31");
    plan.exit = ReadButton(reader, "exit", "-22", "31");

    plan.status.left = reader.Position("status", "left", "100");
    plan.status.width =
        reader.Width(plan.status.left, reader.Position("status", "right", "-80"), "status", "right");
    plan.status.top = reader.Length("status", "top", "0", false);
    plan.status.height = reader.Length("status", "height", "20", true);
    plan.statusAlign = reader.Align("status", "align", "2");

    // The clock label uses "left" when left-aligned and spans from the bar's
    // left edge to "right" otherwise; only the key in use is checked.
    plan.clockAlign = reader.Align("clock", "align", "1");
    const bool clockFromLeft = plan.clockAlign == Alignment::Left;
    plan.clockLeft = reader.Position("clock", "left", "-100", clockFromLeft);
    const int clockRight = reader.Position("clock", "right", "-100", !clockFromLeft);
    plan.clockWidth = reader.Width(0, clockRight, "clock", "right", !clockFromLeft);
    plan.clockTop = reader.Length("clock", "top", "0", false);
    plan.clockHeight = reader.Length("clock", "height", "0", true);

    // A hidden button keeps the pictures it has, so only shown ones are read.
    if (plan.swap.visible) {
        ReadFaces(reader, "updown", kFaceUp, {"up-normal", "up-over", "up-click"}, plan.pictures);
        ReadFaces(reader, "updown", kFaceDown, {"down-normal", "down-over", "down-click"}, plan.pictures);
    }
    if (plan.run.visible) ReadFaces(reader, "run", kFaceRun, {"normal", "over", "click"}, plan.pictures);
    if (plan.exit.visible) ReadFaces(reader, "exit", kFaceExit, {"normal", "over", "click"}, plan.pictures);

    plan.background = reader.Color("background", "color", "FFFFFF");
    plan.commandBack = reader.Color("command", "bg-color", "FFFFFF");
    plan.commandText = reader.Color("command", "txt-color", "000000");
    plan.statusText = reader.Color("status", "txt-color", "000000");
    plan.statusWorking = reader.Color("status", "working", "FF0000");
    plan.clockText = reader.Color("clock", "txt-color", "000000");

    plan.commandFont = reader.Font("command", "Arial", "10");
    plan.statusFont = reader.Font("status", "Courier New", "10");
    plan.clockFont = reader.Font("clock", "Ms Sans Serif", "12");

    plan.tile = reader.OptionalImage("background", "tile");
    plan.left = reader.OptionalImage("background", "left");
    plan.right = reader.OptionalImage("background", "right");
    if (plan.right) {
        const std::optional<int> rightLeft = RightImageLeft(*plan.right);
        if (rightLeft) {
            plan.rightLeft = *rightLeft;
        } else {
            reader.Fail("image '" + reader.Text("background", "right", "") + "' (" +
                        Where("background", "right") + ") lies out of range.");
        }
    }
    return reader.Problem();
}

void Skinning::ApplyPlan(const SkinPlan& plan) {
    skin_.gBarHeight = plan.barHeight;

    const BarControls& c = controls_;
    c.picSwapPos.SetVisible(plan.swap.visible);
    Place(c.picSwapPos, plan.swap.box);

    c.txtCmd.SetVisible(true);
    Place(c.txtCmd, plan.command);
    c.txtCmd.SetBorderStyle(plan.commandBorder);
    c.txtCmd.SetAlignment(plan.commandAlign);

    c.picRunCmd.SetVisible(plan.run.visible);
    Place(c.picRunCmd, plan.run.box);
    c.picClose.SetVisible(plan.exit.visible);
    Place(c.picClose, plan.exit.box);

    Place(c.lblMsg, plan.status);
    c.lblMsg.SetAlignment(plan.statusAlign);

    // The label's own alignment decides which edge the clock keeps.
    c.lblTimer.SetAlignment(plan.clockAlign);
    if (c.lblTimer.GetAlignment() != Alignment::Left) {
        c.lblTimer.SetLeft(0);
        c.lblTimer.SetWidth(plan.clockWidth);
    } else {
        c.lblTimer.SetLeft(plan.clockLeft);
    }
    c.lblTimer.SetTop(plan.clockTop);
    c.lblTimer.SetHeight(plan.clockHeight);

    for (const PictureSlot& slot : plan.pictures) {
        skin_.gSkinPictures[static_cast<std::size_t>(slot.face)][static_cast<std::size_t>(slot.state)] =
            slot.picture;
    }

    skin_.gSkinColors[1] = plan.background;
    skin_.gSkinColors[2] = plan.commandBack;
    skin_.gSkinColors[5] = plan.commandText;
    skin_.gSkinColors[4] = plan.statusText;
    skin_.gSkinColors[7] = plan.statusWorking;
    skin_.gSkinColors[6] = plan.clockText;

    ApplySkin();

    // The controls show the record's fonts, so each new font goes onto its
    // control as it changes in the record.
    skin_.gCommandFont = plan.commandFont;
    ShowFont(c.txtCmd, skin_.gCommandFont);
    skin_.gStatusFont = plan.statusFont;
    ShowFont(c.lblMsg, skin_.gStatusFont);
    skin_.gClockFont = plan.clockFont;
    ShowFont(c.lblTimer, skin_.gClockFont);

    if (plan.tile) {
        DrawTiles(plan.tile);
    } else {
        c.window.ClearBackgroundPictures();
    }
    if (plan.left) c.window.DrawPicture(plan.left, 0, 0);
    if (plan.right) c.window.DrawPicture(plan.right, plan.rightLeft, 0);
}

}  // namespace zindle
