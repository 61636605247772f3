#include "skinning/skinning.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>
#include <vector>

#include "appbar/appbar.h"
#include "profile/conversions.h"
#include "profile/program_settings.h"
#include "skinning/skin_support.h"
#include "text/utf8.h"

namespace zindle {
namespace {

// The program's own bitmaps for each face (up, down, Run, exit) and state
// (normal, over, click). Only the Run button has a face of its own for a state.
constexpr std::array<std::array<const char*, 3>, 4> kBasePictures{{
    {"UP-NORMAL", "UP-NORMAL", "UP-NORMAL"},
    {"DOWN-NORMAL", "DOWN-NORMAL", "DOWN-NORMAL"},
    {"RUN-NORMAL", "RUN-NORMAL", "RUN-CLICK"},
    {"EXIT-NORMAL", "EXIT-NORMAL", "EXIT-NORMAL"},
}};

constexpr std::int16_t kBaseBarHeight = 21;
constexpr int kBaseControlHeight = 20 * kTwipsPerPixel;

// Sets the font's properties in the order the controls' fonts have always
// been set: bold, italic, name, size, strikethrough, underline.
FontSpec MakeFont(bool bold, bool italic, const std::string& name, double size, bool strikethrough,
                  bool underline) {
    FontSpec font;
    font.bold = bold;
    font.italic = italic;
    font.name = name;
    font.size = size;
    font.strikethrough = strikethrough;
    font.underline = underline;
    return font;
}

int HexDigit(char32_t c) {
    if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
    if (c >= U'a' && c <= U'f') return static_cast<int>(c - U'a') + 10;
    if (c >= U'A' && c <= U'F') return static_cast<int>(c - U'A') + 10;
    return -1;
}

// The value of the leading run of hex digits among chars[start, start + count).
int HexPair(const std::vector<char32_t>& chars, std::size_t start, std::size_t count) {
    int value = 0;
    for (std::size_t i = start; i < start + count && i < chars.size(); ++i) {
        const int digit = HexDigit(chars[i]);
        if (digit < 0) break;
        value = value * 16 + digit;
    }
    return value;
}

}  // namespace

Skinning::Skinning(WindowFactory& windows, Dialogs& dialogs, ProfileStore& store,
                   const ProgramSettings& settings, SkinRecord& skin, BarControls controls, AppBar* appBar,
                   std::function<void()> unloadBar)
    : windows_(windows),
      dialogs_(dialogs),
      store_(store),
      settings_(settings),
      skin_(skin),
      controls_(controls),
      appBar_(appBar),
      unloadBar_(std::move(unloadBar)) {}

void Skinning::LoadBaseSkin() {
    // Every picture is loaded before anything changes: a missing one leaves
    // the record as it was for the unload that follows.
    std::array<std::array<PicturePtr, 4>, 5> pictures{};
    for (int face = kFaceUp; face <= kFaceExit; ++face) {
        for (int state = kStateNormal; state <= kStateClick; ++state) {
            const char* name =
                kBasePictures[static_cast<std::size_t>(face - 1)][static_cast<std::size_t>(state - 1)];
            PicturePtr picture = windows_.LoadPictureResource(name);
            if (!picture) {
                dialogs_.MessageBox(
                    "Error trying to reload Internal Base Skin.\r\n"
                    "Something is irretrivably broken, please re-install or seek help!",
                    "Internal Error", MessageIcon::None, MessageButtons::Ok);
                if (unloadBar_) unloadBar_();
                return;
            }
            pictures[static_cast<std::size_t>(face)][static_cast<std::size_t>(state)] = std::move(picture);
        }
    }
    skin_.gSkinPictures = pictures;

    const Colour white = MakeColour(255, 255, 255);
    const Colour black = MakeColour(0, 0, 0);
    skin_.gSkinColors = {0, white, white, white, black, black, black, MakeColour(255, 0, 0)};

    const BarControls& c = controls_;
    const int px = kTwipsPerPixel;
    c.picSwapPos.SetVisible(true);
    c.picSwapPos.SetLeft(1 * px);
    c.picSwapPos.SetWidth(23 * px);
    c.picSwapPos.SetTop(0);
    c.picSwapPos.SetHeight(kBaseControlHeight);

    c.txtCmd.SetVisible(true);
    c.txtCmd.SetLeft(23 * px);
    c.txtCmd.SetWidth(226 * px);
    c.txtCmd.SetTop(0);
    c.txtCmd.SetHeight(kBaseControlHeight);
    c.txtCmd.SetBorderStyle(1);

    c.picRunCmd.SetVisible(true);
    c.picRunCmd.SetLeft(248 * px);
    c.picRunCmd.SetWidth(31 * px);
    c.picRunCmd.SetTop(0);
    c.picRunCmd.SetHeight(kBaseControlHeight);

    // Widths never go below 0, so a bar narrower than the fixed controls
    // still gets a valid layout.
    const int barWidth = c.window.Width();
    c.picClose.SetVisible(true);
    c.picClose.SetWidth(23 * px);
    c.picClose.SetLeft(barWidth - c.picClose.Width());
    c.picClose.SetTop(0);
    c.picClose.SetHeight(kBaseControlHeight);

    const int runRight = c.picRunCmd.Left() + c.picRunCmd.Width();
    c.lblMsg.SetLeft(runRight);
    c.lblMsg.SetWidth(std::max(0, barWidth - runRight));
    c.lblMsg.SetTop(0);
    c.lblMsg.SetHeight(kBaseControlHeight);
    c.lblMsg.SetAlignment(Alignment::Center);

    c.lblTimer.SetLeft(barWidth - (c.picClose.Width() + c.lblTimer.Width()));
    c.lblTimer.SetAlignment(Alignment::Right);
    c.lblTimer.SetTop(0);
    c.lblTimer.SetHeight(kBaseControlHeight);

    c.window.ClearBackgroundPictures();

    skin_.gCommandFont = MakeFont(false, false, "Arial", 10, false, false);
    skin_.gStatusFont = MakeFont(true, false, "Courier New", 10, false, false);
    skin_.gClockFont = MakeFont(false, false, "MS Sans Serif", 12, false, false);

    skin_.gBarHeight = kBaseBarHeight;
    if (appBar_ != nullptr) {
        appBar_->SetDockedHeight(kBaseBarHeight);
        // During start-up the bar docks once more when start-up ends.
        if (!settings_.gStartingUp) appBar_->UpdateBar();
    }

    ApplySkin();
}

void Skinning::ApplySkin() {
    const BarControls& c = controls_;
    c.window.SetBackColor(GetSkinColor(skin_, 1));
    c.lblMsg.SetForeColor(GetSkinColor(skin_, 4));
    c.lblTimer.SetBackColor(GetSkinColor(skin_, 3));
    c.lblTimer.SetForeColor(GetSkinColor(skin_, 6));
    c.txtCmd.SetBackColor(GetSkinColor(skin_, 2));
    c.txtCmd.SetForeColor(GetSkinColor(skin_, 5));
    ShowFont(c.txtCmd, skin_.gCommandFont);
    ShowFont(c.lblMsg, skin_.gStatusFont);
    ShowFont(c.lblTimer, skin_.gClockFont);
    c.picSwapPos.SetPicture(GetSkinPicture(skin_, SwapFace(), kStateNormal));
    c.picRunCmd.SetPicture(GetSkinPicture(skin_, kFaceRun, kStateNormal));
    c.picClose.SetPicture(GetSkinPicture(skin_, kFaceExit, kStateNormal));
}

int Skinning::SwapFace() const {
    // The tag names the arrow the button shows; anything but the down arrow
    // shows the up arrow, the button's face when the bar starts.
    return ToInt16(controls_.swapTag) == kFaceDown ? kFaceDown : kFaceUp;
}

bool Skinning::TileBackground(const std::string& path) {
    const PicturePtr picture = windows_.LoadPictureFile(path);
    if (!picture) return false;
    DrawTiles(picture);
    return true;
}

bool Skinning::PaintLeftImage(const std::string& path) {
    const PicturePtr picture = windows_.LoadPictureFile(path);
    if (!picture) return false;
    controls_.window.DrawPicture(picture, 0, 0);
    return true;
}

bool Skinning::PaintRightImage(const std::string& path) {
    const PicturePtr picture = windows_.LoadPictureFile(path);
    if (!picture) return false;
    const std::optional<int> left = RightImageLeft(*picture);
    if (!left) return false;
    controls_.window.DrawPicture(picture, *left, 0);
    return true;
}

void Skinning::DrawTiles(const PicturePtr& picture) {
    // A picture without width covers nothing; skipping it also keeps the
    // division below away from 0. The count of further copies keeps to the
    // 16-bit counter it has always had, which bounds the work on any bar.
    const std::int64_t tileWidth = static_cast<std::int64_t>(picture->WidthPixels()) * kTwipsPerPixel;
    if (tileWidth <= 0) return;
    const std::int64_t barWidth = std::max(0, controls_.window.Width());
    const std::int64_t count =
        std::min<std::int64_t>(barWidth / tileWidth, std::numeric_limits<std::int16_t>::max());
    for (std::int64_t i = 0; i <= count; ++i) {
        controls_.window.DrawPicture(picture, static_cast<int>(i * tileWidth), 0);
    }
}

std::optional<int> Skinning::RightImageLeft(const Picture& picture) const {
    const std::int64_t left = static_cast<std::int64_t>(controls_.window.Width()) -
                              static_cast<std::int64_t>(picture.WidthPixels()) * kTwipsPerPixel;
    if (!FitsTwips(left)) return std::nullopt;
    return static_cast<int>(left);
}

int Skinning::ResolveSkinX(std::int16_t x) const {
    const std::int64_t twips = SkinXTwips(x, controls_.window.Width());
    return static_cast<int>(std::clamp(twips, kMinTwips, kMaxTwips));
}

void Skinning::ShowSkinError(const std::string& text) {
    dialogs_.MessageBox(text, "Skin Error", MessageIcon::Information, MessageButtons::Ok);
}

Colour ParseSkinColor(std::string_view text) {
    const std::vector<char32_t> chars = Utf8Decode(text);
    const std::size_t length = chars.size();
    const int red = HexPair(chars, 0, 2);
    const int green = HexPair(chars, 2, 2);
    const int blue = HexPair(chars, length - std::min<std::size_t>(length, 2), 2);
    return MakeColour(red, green, blue);
}

}  // namespace zindle
