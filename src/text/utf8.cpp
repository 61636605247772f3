#include "text/utf8.h"

#include <cstdint>
#include <cstring>

namespace zindle {

namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Decodes one character at offset; returns its size and stores the code point.
std::size_t DecodeAt(std::string_view text, std::size_t offset, char32_t& out) {
    const auto lead = static_cast<unsigned char>(text[offset]);
    std::size_t size = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        out = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        size = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        size = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        size = 4, value = lead & 0x07, minimum = 0x10000;
    }
    if (size == 0 || offset + size > text.size()) {
        out = 0xDC00 + lead;
        return 1;
    }
    for (std::size_t i = 1; i < size; ++i) {
        const auto c = static_cast<unsigned char>(text[offset + i]);
        if (!IsContinuation(c)) {
            out = 0xDC00 + lead;
            return 1;
        }
        value = (value << 6) | (c & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        out = 0xDC00 + lead;
        return 1;
    }
    out = value;
    return size;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

constexpr std::size_t kBlockBytes = 4 * sizeof(std::uint64_t);

// True when none of the kBlockBytes bytes at offset has its high bit set.
bool IsAsciiBlock(std::string_view text, std::size_t offset) {
    std::uint64_t words[4];
    std::memcpy(words, text.data() + offset, kBlockBytes);
    return ((words[0] | words[1] | words[2] | words[3]) & 0x8080808080808080ull) == 0;
}

// The folded code point that starts at offset, which moves past it.
char32_t NextFolded(std::string_view text, std::size_t& offset) {
    const auto byte = static_cast<unsigned char>(text[offset]);
    if (byte < 0x80) {
        ++offset;
        return (byte >= 'A' && byte <= 'Z') ? byte + 32u : byte;
    }
    char32_t c;
    offset += DecodeAt(text, offset, c);
    return LowerCodePoint(c);
}

}  // namespace

std::string Utf8Encode(char32_t c) {
    std::string out;
    AppendUtf8(out, c);
    return out;
}

std::size_t Utf8CharSize(std::string_view text, std::size_t offset) {
    char32_t ignored;
    return DecodeAt(text, offset, ignored);
}

std::size_t Utf8Length(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        // Completion measures every matching history entry on each key press:
        // plain ASCII takes the short way.
        i += static_cast<unsigned char>(text[i]) < 0x80 ? 1 : Utf8CharSize(text, i);
    }
    return count;
}

std::size_t Utf8Offset(std::string_view text, std::size_t chars) {
    std::size_t offset = 0;
    while (chars > 0 && offset < text.size()) {
        offset += Utf8CharSize(text, offset);
        --chars;
    }
    return offset;
}

std::string Utf8Left(std::string_view text, std::size_t chars) {
    return std::string(text.substr(0, Utf8Offset(text, chars)));
}

std::string Utf8Right(std::string_view text, std::size_t chars) {
    const std::size_t length = Utf8Length(text);
    if (chars >= length) return std::string(text);
    return std::string(text.substr(Utf8Offset(text, length - chars)));
}

std::vector<char32_t> Utf8Decode(std::string_view text) {
    std::vector<char32_t> result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t c;
        i += DecodeAt(text, i, c);
        result.push_back(c);
    }
    return result;
}

std::string Utf8Lower(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t c;
        const std::size_t size = DecodeAt(text, i, c);
        if (c >= 0xDC80 && c <= 0xDCFF && size == 1) {
            result += text[i];  // keep invalid bytes as they are
        } else {
            const char32_t lower = LowerCodePoint(c);
            if (lower == c) result.append(text.substr(i, size));
            else AppendUtf8(result, lower);
        }
        i += size;
    }
    return result;
}

bool Utf8StartsWithLowered(std::string_view text, const std::vector<char32_t>& lowerPrefix) {
    std::size_t offset = 0;
    for (const char32_t wanted : lowerPrefix) {
        if (offset >= text.size()) return false;
        char32_t c = static_cast<unsigned char>(text[offset]);
        if (c < 0x80) {
            ++offset;
            if (c >= 'A' && c <= 'Z') c += 32;
        } else {
            offset += DecodeAt(text, offset, c);
            c = LowerCodePoint(c);
        }
        if (c != wanted) return false;
    }
    return true;
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        // Profile files are checked whole on every change, and are mostly
        // ASCII: a block at a time while no high bit is set.
        if (i + kBlockBytes <= text.size() && IsAsciiBlock(text, i)) {
            i += kBlockBytes;
            continue;
        }
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        char32_t c;
        const std::size_t size = DecodeAt(text, i, c);
        if (size == 1) return false;  // a lead byte of a valid sequence never stands alone
        i += size;
    }
    return true;
}

bool Utf8EqualFolded(std::string_view a, std::string_view b) {
    if (a == b) return true;
    // Folding can change a character's length in bytes (K, the Kelvin sign, folds to k).
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (NextFolded(a, i) != NextFolded(b, j)) return false;
    }
    return i == a.size() && j == b.size();
}

std::size_t Utf8FoldedHash(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a over the folded code points
    for (std::size_t i = 0; i < text.size();) {
        hash ^= NextFolded(text, i);
        hash *= 1099511628211ull;
    }
    return static_cast<std::size_t>(hash);
}

}  // namespace zindle
