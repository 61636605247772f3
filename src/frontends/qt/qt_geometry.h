#pragma once
// The core measures controls in twips; the Qt front end works in Qt's
// logical pixels, 15 twips each, and lets Qt scale them to the screen's
// device pixels (twice as many at 192 DPI).

#include <QColor>
#include <QFont>

#include <cmath>
#include <cstdint>

#include "platform/controls.h"

namespace zindle {

inline constexpr int kTwipsPerPixel = 15;

inline int PixelsFromTwips(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

inline int TwipsFromPixels(int pixels) {
    const std::int64_t twips = std::int64_t{pixels} * kTwipsPerPixel;
    return static_cast<int>(std::clamp<std::int64_t>(twips, INT32_MIN, INT32_MAX));
}

inline QColor QColorFrom(Colour colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// Windows font names resolve through fontconfig's substitutions (Arial
// becomes Liberation Sans where it is installed).
QFont QFontFrom(const FontSpec& wanted);

}  // namespace zindle
