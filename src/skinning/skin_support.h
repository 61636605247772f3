#pragma once
// What the base skin and the skin loader share: skin pixels and bar twips,
// and how a font goes onto a control.
//
// A skin pixel is always 15 twips, whatever the screen. Positions are kept in
// 32-bit twips, so that skins placed from the right edge work on bars of any
// width (16 bits would end at 2184 pixels); arithmetic is done in 64 bits
// and checked against that range, so no value a skin file holds overflows.

#include <cstdint>

#include "platform/controls.h"

namespace zindle {

constexpr int kTwipsPerPixel = 15;
constexpr std::int64_t kMinTwips = INT32_MIN;
constexpr std::int64_t kMaxTwips = INT32_MAX;

constexpr bool FitsTwips(std::int64_t twips) { return twips >= kMinTwips && twips <= kMaxTwips; }

// x pixels from the left edge (x >= 0) or from the right edge of a bar
// barWidth twips wide (x < 0), in twips, before any range check.
constexpr std::int64_t SkinXTwips(std::int16_t x, int barWidth) {
    const std::int64_t offset = static_cast<std::int64_t>(x) * kTwipsPerPixel;
    return x >= 0 ? offset : barWidth + offset;
}

// A control shows the record's font until another one is set, so the font
// it already shows is not set again: that would only make an auto-sizing
// label fit itself anew and drop the width a skin has just given it.
// FontControl is a TextBox or a Label.
template <class FontControl>
void ShowFont(FontControl& control, const FontSpec& font) {
    if (!(control.Font() == font)) control.SetFont(font);
}

}  // namespace zindle
