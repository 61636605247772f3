#pragma once
// The program's own pictures, compiled into the program: the base skin's
// button bitmaps and the splash banner, looked up by resource name.

#include <optional>
#include <span>
#include <string_view>

namespace zindle {

// The bytes of the resource called name ("UP-NORMAL", "DOWN-NORMAL",
// "RUN-NORMAL", "RUN-CLICK", "EXIT-NORMAL", "SPLASH"); names match without
// regard to case, as resource names do on Windows. nullopt for any other name.
std::optional<std::span<const unsigned char>> ResourceBytes(std::string_view name);

}  // namespace zindle
