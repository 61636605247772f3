#pragma once
// The status line's typing effects: the old text is wiped away from the left
// one character per step, then the new one typed in one character per step.
// Pending events run between the steps, so the bar stays responsive and a
// nested command may run its own effect on the same label meanwhile.

#include <cstdint>
#include <string>

#include "platform/controls.h"
#include "platform/system.h"

namespace zindle {

// For effects nothing stops early.
inline constexpr bool kEffectsRunToTheEnd = false;

// An effect stops at once, between two steps, when stop has become true:
// once the bar is unloading, nothing may type over its quitting text.
void TypeText(Label& label, System& system, const std::string& text, std::int16_t duration,
              const bool& stop = kEffectsRunToTheEnd);
void WipeText(Label& label, System& system, std::int16_t duration, const bool& stop = kEffectsRunToTheEnd);

}  // namespace zindle
