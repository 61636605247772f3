#pragma once
// The skin loader: the built-in base skin, skins read from a skin directory's
// skin.ini, and the operations that push the skin record onto the bar.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "interpreter/hosts.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/types.h"
#include "skinning/bar_controls.h"
#include "skinning/skin_record.h"

namespace zindle {

class AppBar;
class ProfileStore;
struct ProgramSettings;

class Skinning final : public SkinHost {
public:
    // appBar may be null (no docking object: heights are only recorded).
    // unloadBar is called when the base skin cannot be built.
    Skinning(WindowFactory& windows, Dialogs& dialogs, ProfileStore& store, const ProgramSettings& settings,
             SkinRecord& skin, BarControls controls, AppBar* appBar, std::function<void()> unloadBar);

    // Fills the record and the controls with the built-in look. When one of
    // the program's own pictures is missing it says so and unloads the bar.
    void LoadBaseSkin();

    // Colours, fonts and at-rest button pictures from the record onto the
    // controls; also clears whatever was painted on the bar's background.
    void ApplySkin();

    // Stores name as the skin in force, then applies the base skin (blank
    // name) or the skin directory's skin.ini. A skin that cannot be used is
    // refused with a message box before anything on the bar changes.
    void LoadSkin(const std::string& name) override;

    // Background painters: each loads one picture file and draws it onto the
    // bar at its natural size, top at 0. False (nothing drawn) when the file
    // is no readable picture or the position is outside the bar's range.
    bool TileBackground(const std::string& path);
    bool PaintLeftImage(const std::string& path);
    bool PaintRightImage(const std::string& path);

    // x skin pixels as a bar position in twips: from the left edge when x is
    // 0 or more, from the bar's current right edge when negative. Results
    // outside the 32-bit range are clamped (the loader refuses them instead).
    int ResolveSkinX(std::int16_t x) const;

private:
    struct SkinPlan;

    std::optional<std::string> PlanSkin(const std::string& name, const std::string& directory,
                                        SkinPlan& plan);
    // Everything but the docking, which comes first.
    void ApplyPlan(const SkinPlan& plan);
    // Docks the bar at that height; the height it had, when there is a
    // docking object.
    std::optional<int> DockAtHeight(int pixels);
    void ShowSkinError(const std::string& text);
    void DrawTiles(const PicturePtr& picture);
    // Where a picture of that width meets the bar's right edge, when that
    // position lies in the 32-bit twips range.
    std::optional<int> RightImageLeft(const Picture& picture) const;
    int SwapFace() const;

    WindowFactory& windows_;
    Dialogs& dialogs_;
    ProfileStore& store_;
    const ProgramSettings& settings_;
    SkinRecord& skin_;
    BarControls controls_;
    AppBar* appBar_;
    std::function<void()> unloadBar_;
};

// A skin colour text: red from its first two characters, green from the third
// and fourth, blue from the last two, each pair read as hexadecimal by its
// leading run of hex digits (none gives 0). Characters are code points.
Colour ParseSkinColor(std::string_view text);

}  // namespace zindle
