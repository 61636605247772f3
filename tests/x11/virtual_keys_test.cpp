#include "frontends/qt/virtual_keys.h"

#include <gtest/gtest.h>

#include <Qt>
#include <algorithm>
#include <vector>

#include "frontends/qt/x11_display.h"

namespace zindle {
namespace {

TEST(VirtualKeysTest, QtKeysBecomeWindowsCodesAsAUsKeyboardHasThem) {
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_A), 'A');
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_7), '7');
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Return), 13);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Enter), 13);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Escape), 27);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Backspace), 8);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Delete), 46);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Left), 37);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Down), 40);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Home), 36);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_F1), 112);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_F12), 123);
    // Shifted characters give their key's code.
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Exclam), '1');
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_ParenRight), '0');
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Colon), 186);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Question), 191);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_QuoteDbl), 222);
    // Keys Windows has no code for.
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Eacute), 0);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_unknown), 0);
}

TEST(VirtualKeysTest, HotkeyCodesGrabTheKeysymsOfTheirKeys) {
    EXPECT_EQ(KeysymFromVirtualKey(122), 0xffc8u);  // F11
    EXPECT_EQ(KeysymFromVirtualKey('A'), static_cast<std::uint32_t>('a'));
    EXPECT_EQ(KeysymFromVirtualKey('5'), static_cast<std::uint32_t>('5'));
    EXPECT_EQ(KeysymFromVirtualKey(13), 0xff0du);  // the main Return, not the keypad's Enter
    EXPECT_EQ(KeysymFromVirtualKey(46), 0xffffu);
    EXPECT_EQ(KeysymFromVirtualKey(0x60), 0xffb0u);  // keypad 0
    EXPECT_EQ(KeysymFromVirtualKey(0x6a), 0xffaau);  // keypad *
    EXPECT_EQ(KeysymFromVirtualKey(186), static_cast<std::uint32_t>(';'));
    EXPECT_EQ(KeysymFromVirtualKey(222), static_cast<std::uint32_t>('\''));
    EXPECT_EQ(KeysymFromVirtualKey(0x6c), 0u);  // the keypad separator has no key here
    EXPECT_EQ(KeysymFromVirtualKey(0xff), 0u);
}

TEST(VirtualKeysTest, LettersAndDigitsHaveTheirUsKeyboardPlaceForLayoutsWithoutThem) {
    EXPECT_EQ(UsLayoutKeycode('1'), 10);
    EXPECT_EQ(UsLayoutKeycode('0'), 19);
    EXPECT_EQ(UsLayoutKeycode('Q'), 24);
    EXPECT_EQ(UsLayoutKeycode('A'), 38);
    EXPECT_EQ(UsLayoutKeycode('L'), 46);
    EXPECT_EQ(UsLayoutKeycode('M'), 58);
    EXPECT_EQ(UsLayoutKeycode(122), 0);  // F11 has a keysym on every layout
    EXPECT_EQ(UsLayoutKeycode(' '), 0);
    EXPECT_EQ(UsLayoutKeycode(0), 0);
}

// The lock modifiers come from the modifier map: NumLock is not always Mod2.
TEST(VirtualKeysTest, AGrabCoversEveryCombinationOfTheLockModifiers) {
    constexpr std::uint16_t kLock = 2, kMod2 = 16, kMod3 = 32;
    std::vector<std::uint16_t> variants = GrabVariants(4, kLock | kMod3);
    std::sort(variants.begin(), variants.end());
    EXPECT_EQ(variants, (std::vector<std::uint16_t>{4, 4 | kLock, 4 | kMod3, 4 | kLock | kMod3}));
    EXPECT_EQ(GrabVariants(0, kLock | kMod2 | kMod3).size(), 8u);
    // A lock that is also one of the hotkey's own modifiers is not a variant.
    EXPECT_EQ(GrabVariants(kMod2, kLock | kMod2), (std::vector<std::uint16_t>{kMod2, kMod2 | kLock}));
}

TEST(VirtualKeysTest, ModifierFlagsMapToXModifiersAndQtModifiersToTheShiftMask) {
    EXPECT_EQ(X11ModifiersFromHotkeyModifiers(0), 0);
    EXPECT_EQ(X11ModifiersFromHotkeyModifiers(1), 8);           // Alt: Mod1
    EXPECT_EQ(X11ModifiersFromHotkeyModifiers(2 | 4), 4 | 1);   // Ctrl+Shift
    EXPECT_EQ(X11ModifiersFromHotkeyModifiers(8), 64);          // the Windows key: Mod4
    EXPECT_EQ(ShiftMaskFromQtModifiers(Qt::ShiftModifier | Qt::AltModifier), 1 | 4);
    EXPECT_EQ(ShiftMaskFromQtModifiers(Qt::ControlModifier | Qt::KeypadModifier), 2);
}

}  // namespace
}  // namespace zindle
