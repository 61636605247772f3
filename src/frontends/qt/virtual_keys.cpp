#include "frontends/qt/virtual_keys.h"

#include <Qt>
#include <array>
#include <string_view>
#include <utility>

namespace zindle {

namespace {

// Keys with the same number in Qt and as a virtual-key code: letters, digits, space.
bool SameCode(int key) { return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') || key == ' '; }

// Punctuation of a US keyboard, plain and shifted, and the key's code.
constexpr std::array<std::pair<char, int>, 32> kPunctuation{{
    {';', 186},  {':', 186},  {'=', 187}, {'+', 187}, {',', 188}, {'<', 188}, {'-', 189},
    {'_', 189},  {'.', 190},  {'>', 190}, {'/', 191}, {'?', 191}, {'`', 192}, {'~', 192},
    {'[', 219},  {'{', 219},  {'\\', 220}, {'|', 220}, {']', 221}, {'}', 221}, {'\'', 222},
    {'"', 222},  {'!', '1'},  {'@', '2'}, {'#', '3'}, {'$', '4'}, {'%', '5'}, {'^', '6'},
    {'&', '7'},  {'*', '8'},  {'(', '9'}, {')', '0'},
}};

struct NamedKey {
    int qtKey;
    int virtualKey;
    std::uint32_t keysym;
};

constexpr std::array<NamedKey, 27> kNamedKeys{{
    {Qt::Key_Backspace, 8, 0xff08},  {Qt::Key_Tab, 9, 0xff09},      {Qt::Key_Return, 13, 0xff0d},
    {Qt::Key_Enter, 13, 0xff8d},     {Qt::Key_Shift, 16, 0xffe1},   {Qt::Key_Control, 17, 0xffe3},
    {Qt::Key_Alt, 18, 0xffe9},       {Qt::Key_Pause, 19, 0xff13},   {Qt::Key_CapsLock, 20, 0xffe5},
    {Qt::Key_Escape, 27, 0xff1b},    {Qt::Key_PageUp, 33, 0xff55},  {Qt::Key_PageDown, 34, 0xff56},
    {Qt::Key_End, 35, 0xff57},       {Qt::Key_Home, 36, 0xff50},    {Qt::Key_Left, 37, 0xff51},
    {Qt::Key_Up, 38, 0xff52},        {Qt::Key_Right, 39, 0xff53},   {Qt::Key_Down, 40, 0xff54},
    {Qt::Key_Print, 44, 0xff61},     {Qt::Key_Insert, 45, 0xff63},  {Qt::Key_Delete, 46, 0xffff},
    {Qt::Key_Meta, 91, 0xffeb},      {Qt::Key_Menu, 93, 0xff67},    {Qt::Key_NumLock, 144, 0xff7f},
    {Qt::Key_ScrollLock, 145, 0xff14}, {Qt::Key_Space, 32, 0x20},   {Qt::Key_Clear, 12, 0xff0b},
}};

constexpr int kF1 = 112;
constexpr int kF24 = 135;

}  // namespace

int VirtualKeyFromQtKey(int qtKey) {
    if (SameCode(qtKey)) return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return kF1 + (qtKey - Qt::Key_F1);
    for (const NamedKey& key : kNamedKeys) {
        if (key.qtKey == qtKey) return key.virtualKey;
    }
    if (qtKey > ' ' && qtKey < 0x7f) {
        for (const auto& [character, code] : kPunctuation) {
            if (character == qtKey) return code;
        }
    }
    return 0;
}

int ShiftMaskFromQtModifiers(unsigned modifiers) {
    int mask = 0;
    if (modifiers & Qt::ShiftModifier) mask |= 1;
    if (modifiers & Qt::ControlModifier) mask |= 2;
    if (modifiers & Qt::AltModifier) mask |= 4;
    return mask;
}

std::uint32_t KeysymFromVirtualKey(int virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z') return static_cast<std::uint32_t>(virtualKey - 'A' + 'a');
    if ((virtualKey >= '0' && virtualKey <= '9') || virtualKey == ' ') return static_cast<std::uint32_t>(virtualKey);
    if (virtualKey >= kF1 && virtualKey <= kF24) return 0xffbe + static_cast<std::uint32_t>(virtualKey - kF1);
    if (virtualKey >= 0x60 && virtualKey <= 0x69) return 0xffb0 + static_cast<std::uint32_t>(virtualKey - 0x60);
    if (virtualKey >= 0x6a && virtualKey <= 0x6f && virtualKey != 0x6c) {
        return 0xffaa + static_cast<std::uint32_t>(virtualKey - 0x6a);
    }
    for (const NamedKey& key : kNamedKeys) {
        // Enter's first entry is the main keyboard's Return.
        if (key.virtualKey == virtualKey) return key.keysym;
    }
    for (const auto& [character, code] : kPunctuation) {
        if (code == virtualKey && code > 0x7f) return static_cast<std::uint32_t>(character);
    }
    return 0;
}

std::uint8_t UsLayoutKeycode(int virtualKey) {
    // The rows of a US keyboard as Linux numbers its keys (KEY_1 is 2,
    // KEY_Q 16, KEY_A 30, KEY_Z 44); X adds 8.
    constexpr int kXOffset = 8;
    constexpr std::array<std::pair<std::string_view, int>, 4> kRows{{
        {"1234567890", 2}, {"QWERTYUIOP", 16}, {"ASDFGHJKL", 30}, {"ZXCVBNM", 44}}};
    for (const auto& [row, first] : kRows) {
        const std::size_t column = row.find(static_cast<char>(virtualKey));
        if (virtualKey > 0 && virtualKey < 0x80 && column != std::string_view::npos) {
            return static_cast<std::uint8_t>(first + static_cast<int>(column) + kXOffset);
        }
    }
    return 0;
}

std::uint16_t X11ModifiersFromHotkeyModifiers(int modifiers) {
    std::uint16_t mask = 0;
    if (modifiers & 1) mask |= 1u << 3;  // Mod1: Alt
    if (modifiers & 2) mask |= 1u << 2;  // Control
    if (modifiers & 4) mask |= 1u << 0;  // Shift
    if (modifiers & 8) mask |= 1u << 6;  // Mod4: the Windows key
    return mask;
}

}  // namespace zindle
