#pragma once
// The bar's current look. One record for the program, owned by whoever owns
// the program's state; read through GetSkinColor.

#include <array>
#include <cstdint>
#include <string>

#include "platform/types.h"

namespace zindle {

struct SkinRecord {
    // The name last handed to the skin loader; written to cfg "skin" at exit.
    std::string gSkinName;
    // The bar's height in pixels; 0 until a skin sets it.
    std::int16_t gBarHeight = 0;
    // Slots 1 to 7 (index 0 unused): bar background, command box background,
    // clock background, status text, command text, clock text, status text
    // while a command runs. They start as the built-in look.
    std::array<Colour, 8> gSkinColors{0,
                                      MakeColour(255, 255, 255),
                                      MakeColour(255, 255, 255),
                                      MakeColour(255, 255, 255),
                                      MakeColour(0, 0, 0),
                                      MakeColour(0, 0, 0),
                                      MakeColour(0, 0, 0),
                                      MakeColour(255, 0, 0)};
};

// The colour of slot 1 to 7; any other slot gives black rather than reading
// outside the table.
Colour GetSkinColor(const SkinRecord& skin, int slot);

}  // namespace zindle
