#pragma once
// The docking object's persisted state and its registry layout: exactly 90
// bytes, little-endian, Booleans as 16-bit -1 (true) or 0 (false).

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zindle {

inline constexpr std::size_t kStateBlockSize = 90;

// Field order and defaults as the object starts out. The float rectangle is
// set by Extends; the maximum sizes are set from the screen when the object
// is created.
struct StateBlock {
    std::int32_t size = static_cast<std::int32_t>(kStateBlockSize);
    std::int32_t state = 5;  // the committed edge or state
    std::int32_t allowFlags = 31;
    bool autoHide = false;
    bool alwaysOnTop = true;
    bool slideEffect = true;
    std::int32_t slideTime = 400;
    std::int32_t widthStep = 1;
    std::int32_t heightStep = 1;
    std::int32_t dockedWidth = 32;
    std::int32_t dockedHeight = 32;
    std::int32_t floatLeft = 0;
    std::int32_t floatTop = 0;
    std::int32_t floatRight = 0;
    std::int32_t floatBottom = 0;
    std::int32_t minFloatWidth = 0;
    std::int32_t minFloatHeight = 0;
    std::int32_t maxFloatWidth = 0;
    std::int32_t maxFloatHeight = 0;
    std::int32_t minDockedWidth = 0;
    std::int32_t minDockedHeight = 0;
    std::int32_t maxDockedWidth = 0;
    std::int32_t maxDockedHeight = 0;
    std::int32_t taskbarButton = 2;  // only its low 16 bits are stored
    bool operator==(const StateBlock&) const = default;
};

// The 90 stored bytes; the two reserved bytes at offset 18 are 0.
std::vector<std::uint8_t> EncodeStateBlock(const StateBlock& block);

// The block the stored bytes describe, starting from current: every field
// is replaced, except the upper 16 bits of taskbarButton, which current
// keeps. Any non-zero Boolean reads as true. nullopt unless there are
// exactly 90 bytes.
std::optional<StateBlock> DecodeStateBlock(std::span<const std::uint8_t> bytes, const StateBlock& current);

}  // namespace zindle
