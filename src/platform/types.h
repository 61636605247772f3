#pragma once
// Plain value types shared by the core and every front end.

#include <cstdint>

namespace zindle {

// A packed colour with red in the low byte, green in the middle, blue on top,
// as Windows packs it, so stored values mean the same on every system.
using Colour = std::uint32_t;

constexpr Colour MakeColour(int red, int green, int blue) {
    return static_cast<Colour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

// Days since 30 December 1899, the time of day as the fraction.
using DateTime = double;

}  // namespace zindle
