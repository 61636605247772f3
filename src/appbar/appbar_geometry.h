#pragma once
// Pixel arithmetic for the docking code: sums and differences are done in 64
// bits and clamped back, so extreme sizes from a stored block can neither
// overflow nor turn a rectangle inside out.

#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/window_manager.h"

namespace zindle::appbar_geometry {

inline int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                      std::numeric_limits<int>::max()));
}

// Sizes below 0 count as 0.
inline int NonNegative(std::int64_t size) { return ClampToInt(std::max<std::int64_t>(size, 0)); }

inline int Add(int a, std::int64_t b) { return ClampToInt(a + b); }

inline int Width(const RectPx& rect) { return NonNegative(std::int64_t{rect.right} - rect.left); }
inline int Height(const RectPx& rect) { return NonNegative(std::int64_t{rect.bottom} - rect.top); }

}  // namespace zindle::appbar_geometry
