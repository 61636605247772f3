#pragma once
// The bar's current look: one record for the program, filled by the base
// skin and by loaded skins, read through GetSkinPicture and GetSkinColor.

#include <array>
#include <cstdint>
#include <string>

#include "platform/controls.h"
#include "platform/types.h"

namespace zindle {

// Faces of the picture buttons and their states, the indexes of gSkinPictures.
constexpr int kFaceUp = 1;
constexpr int kFaceDown = 2;
constexpr int kFaceRun = 3;
constexpr int kFaceExit = 4;
constexpr int kStateNormal = 1;
constexpr int kStateOver = 2;
constexpr int kStateClick = 3;

struct SkinRecord {
    // The name last handed to the skin loader; written to cfg "skin" at exit.
    std::string gSkinName;
    // The bar's height in pixels; 0 until a skin sets it.
    std::int16_t gBarHeight = 0;
    // Slots 1 to 7 (index 0 unused): bar background, command box background,
    // clock background, status text, command text, clock text, status text
    // while a command runs. All 0 until the base skin fills them.
    std::array<Colour, 8> gSkinColors{};
    // [face 1..4][state 1..3]; index 0 of each unused.
    std::array<std::array<PicturePtr, 4>, 5> gSkinPictures{};
    FontSpec gCommandFont;
    FontSpec gStatusFont;
    FontSpec gClockFont;
};

// The picture of a slot; null for a slot outside 1..4 × 1..3, which callers
// treat as "no picture" rather than reading outside the table.
PicturePtr GetSkinPicture(const SkinRecord& skin, int face, int state);

// The colour of slot 1 to 7; any other slot gives black.
Colour GetSkinColor(const SkinRecord& skin, int slot);

}  // namespace zindle
