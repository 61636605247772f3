#pragma once
// How the bytes of an INI file hold its text. Files written by Windows'
// profile functions are in its ANSI code page (native_text.h); files
// written here are UTF-8. The engine works on UTF-8 text and writes a file
// back in the encoding it came in.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zindle {

enum class FileEncoding : std::uint8_t {
    Utf8,         // valid UTF-8 as a whole, or marked so by its byte order mark
    Ansi,         // anything else
    Utf16,        // starts with a UTF-16 byte order mark: read as bytes, never written
};

FileEncoding DetectEncoding(std::string_view bytes);

// The bytes that hold text in the encoding, or nothing when they would not
// read back as the same text: a character the encoding lacks, bytes that
// are not UTF-8, or a result that would be taken for another encoding.
std::optional<std::string> EncodeFile(FileEncoding encoding, std::string text);

}  // namespace zindle
