#include "frontends/headless/output_format.h"

#include <array>
#include <charconv>

#include "frontends/headless/output.h"

namespace zindle {

std::string FormatDecimal(double value) {
    std::array<char, 400> buffer{};  // room for the widest double in fixed notation
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, 2);
    std::string text(buffer.data(), error == std::errc() ? end : buffer.data());
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    return text == "-0" ? "0" : text;
}

std::string HexColour(Colour colour) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (int shift = 0; shift <= 16; shift += 8) {
        const unsigned byte = (colour >> shift) & 0xFF;
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

std::string FormatFont(const FontSpec& font) {
    std::string text = font.name + "," + FormatDecimal(font.size);
    if (font.bold) text += ",bold";
    if (font.italic) text += ",italic";
    if (font.strikethrough) text += ",strike";
    if (font.underline) text += ",underline";
    return EscapeLineBreaks(text);
}

}  // namespace zindle
