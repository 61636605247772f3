#pragma once
// Windows virtual-key codes for the keys Qt and X report, and the X keysyms
// that the hotkeys' virtual-key codes stand for (a US keyboard's layout).

#include <cstdint>

namespace zindle {

// The virtual-key code of a Qt key (Qt::Key value); 0 for a key Windows has
// no code for. Shifted punctuation gives the code of its key ('!' gives '1').
int VirtualKeyFromQtKey(int qtKey);

// The Windows shift mask (1 Shift, 2 Ctrl, 4 Alt) of Qt keyboard modifiers.
int ShiftMaskFromQtModifiers(unsigned modifiers);

// The keysym a virtual-key code grabs; 0 when there is none.
std::uint32_t KeysymFromVirtualKey(int virtualKey);

// The X key code (evdev's numbering) of the key a letter or a digit is on
// in the US layout, as Windows names the keys of any layout; 0 for other
// keys. For layouts where no key gives the character (Russian or Greek alone).
std::uint8_t UsLayoutKeycode(int virtualKey);

// The X modifier mask of MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8.
std::uint16_t X11ModifiersFromHotkeyModifiers(int modifiers);

}  // namespace zindle
