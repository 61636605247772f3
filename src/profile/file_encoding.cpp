#include "profile/file_encoding.h"

#include <algorithm>

#include "text/utf8.h"
#include "profile/native_text.h"

namespace zindle {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

FileEncoding DetectEncoding(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return FileEncoding::Utf16;
    // A file marked as UTF-8 stays UTF-8 even with a damaged byte in it.
    if (bytes.starts_with(kUtf8Bom) || IsValidUtf8(bytes)) return FileEncoding::Utf8;
    return FileEncoding::Ansi;
}

std::optional<std::string> EncodeFile(FileEncoding encoding, std::string text) {
    switch (encoding) {
        case FileEncoding::Utf8:
            // Bytes that are not UTF-8 would make the whole file read in the ANSI code page.
            if (DetectEncoding(text) != FileEncoding::Utf8) return std::nullopt;
            return text;
        case FileEncoding::Ansi: {
            std::optional<std::string> bytes = Utf8ToAnsi(text);
            // Code page bytes that happen to form UTF-8 (and are not plain
            // ASCII, which reads the same either way) would be read as UTF-8.
            if (bytes && !IsAscii(*bytes) && DetectEncoding(*bytes) != FileEncoding::Ansi) return std::nullopt;
            return bytes;
        }
        case FileEncoding::Utf16:
            break;
    }
    return std::nullopt;
}

}  // namespace zindle
