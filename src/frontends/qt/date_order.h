#pragma once
// The order of day, month and year in a strftime date format such as the
// locale's D_FMT ("%m/%d/%y", "%d.%m.%Y", "%Y-%m-%d", "%D", "%F").

#include "platform/system.h"

namespace zindle {

// Month, day, year when the format names no complete order.
DateOrder DateOrderFromFormat(const char* format);

}  // namespace zindle
