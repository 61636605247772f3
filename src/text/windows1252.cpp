#include "text/windows1252.h"

#include <algorithm>
#include <iterator>

#include "text/utf8.h"

namespace zindle {
namespace {

// The characters of bytes 80 to 9F; the other bytes above 7F are the
// Latin-1 characters of the same number.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t CharacterOf(unsigned char byte) {
    return (byte >= 0x80 && byte < 0xA0) ? kHighControls[byte - 0x80] : byte;
}

std::optional<char> ByteOf(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    const auto found = std::find(std::begin(kHighControls), std::end(kHighControls), c);
    if (found == std::end(kHighControls)) return std::nullopt;
    return static_cast<char>(0x80 + (found - std::begin(kHighControls)));
}

}  // namespace

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        if (code < 0x80) text += byte;
        else text += Utf8Encode(CharacterOf(code));
    }
    return text;
}

std::optional<std::string> Utf8ToWindows1252(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            bytes += text[i++];
            continue;
        }
        const std::size_t size = Utf8CharSize(text, i);
        if (size == 1) return std::nullopt;  // not UTF-8
        const std::optional<char> byte = ByteOf(Utf8Decode(text.substr(i, size)).front());
        if (!byte) return std::nullopt;
        bytes += *byte;
        i += size;
    }
    return bytes;
}

}  // namespace zindle
