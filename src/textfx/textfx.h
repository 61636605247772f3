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

void TypeText(Label& label, System& system, const std::string& text, std::int16_t duration);
void WipeText(Label& label, System& system, std::int16_t duration);

}  // namespace zindle
