#pragma once
// How the headless front end writes numbers, colours and fonts in its output.

#include <string>

#include "platform/controls.h"

namespace zindle {

// Up to two decimals, trailing zeros dropped: "21", "0.47", "8.25".
std::string FormatDecimal(double value);
// RRGGBB, red first, whatever the packing.
std::string HexColour(Colour colour);
// NAME,SIZE[,bold][,italic][,strike][,underline]
std::string FormatFont(const FontSpec& font);

}  // namespace zindle
