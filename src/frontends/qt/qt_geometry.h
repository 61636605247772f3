#pragma once
// The core measures controls in twips; the Qt front end works in Qt's
// logical pixels, 15 twips each, and lets Qt scale them to the screen's
// device pixels (twice as many at 192 DPI).

#include <QColor>
#include <QFont>
#include <QRect>

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

// A window's outer rectangle, frame included. Qt works the frame out from
// the window manager's frame window, which can lag behind while the window
// manager fits it around a new window: a 1x1 frame around the 800x21 bar,
// which the core would take for a frame of negative size and grow the
// window by as much. A frameless window's rectangle is its own, and a frame
// that does not hold its window is stale and counts for none.
inline QRect OuterRect(const QRect& frame, const QRect& client, bool frameless) {
    return frameless || !frame.contains(client) ? client : frame;
}

inline QColor QColorFrom(Colour colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// Windows font names resolve through fontconfig's substitutions (Arial
// becomes Liberation Sans where it is installed). MS Sans Serif, the font
// the dialogs' layout in twips was made for, has no such twin: its stand-in
// (DejaVu Sans, most often) has wider letters, so it is made smaller until
// its letters are no wider than MS Sans Serif's and every caption fits the
// control it was sized for.
QFont QFontFrom(const FontSpec& wanted);

// At 8 pt, MS Sans Serif's 52 letters A-Z a-z span at most this many
// pixels at 96 DPI (6 pixels a character in Windows's dialog units).
inline constexpr double kDialogAlphabetPixels = 311;

}  // namespace zindle
