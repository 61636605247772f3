#include "profile/native_text.h"

#include <windows.h>

#include "text/utf8.h"

namespace zindle {
namespace {

std::wstring ToWide(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) return {};
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(), size);
    return wide;
}

}  // namespace

std::string AnsiToUtf8(std::string_view bytes) {
    const std::wstring wide = ToWide(CP_ACP, bytes);
    if (wide.empty()) return {};
    const int length = static_cast<int>(wide.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, text.data(), size, nullptr, nullptr);
    return text;
}

std::optional<std::string> Utf8ToAnsi(std::string_view text) {
    if (!IsValidUtf8(text)) return std::nullopt;
    const std::wstring wide = ToWide(CP_UTF8, text);
    if (wide.empty()) return std::string();
    const int length = static_cast<int>(wide.size());
    // A code page that lacks a character would take a look-alike ("best
    // fit") or '?' instead: both change the text, so neither is allowed.
    BOOL usedDefault = FALSE;
    const int size =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0, nullptr, &usedDefault);
    if (usedDefault || size <= 0) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, bytes.data(), size, nullptr, nullptr);
    // Some code pages have characters that share bytes with others.
    if (AnsiToUtf8(bytes) != text) return std::nullopt;
    return bytes;
}

}  // namespace zindle
