#include "frontends/win32/wide_text.h"

#include "frontends/win32/win32_api.h"

#include <climits>

namespace zindle {

std::wstring Widen(std::string_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), size);
    return wide;
}

std::string Narrow(std::wstring_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, narrow.data(), size, nullptr, nullptr);
    return narrow;
}

namespace {
bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
}  // namespace

int Utf16Index(std::wstring_view text, int characters) {
    std::size_t index = 0;
    for (int counted = 0; counted < characters && index < text.size(); ++counted) {
        const bool pair = IsHighSurrogate(text[index]) && index + 1 < text.size() && IsLowSurrogate(text[index + 1]);
        index += pair ? 2 : 1;
    }
    return static_cast<int>(index);
}

int CharacterIndex(std::wstring_view text, int utf16Index) {
    int characters = 0;
    const std::size_t end = std::min<std::size_t>(utf16Index < 0 ? 0 : static_cast<std::size_t>(utf16Index), text.size());
    for (std::size_t index = 0; index < end; ++characters) {
        const bool pair = IsHighSurrogate(text[index]) && index + 1 < text.size() && IsLowSurrogate(text[index + 1]);
        index += pair ? 2 : 1;
    }
    return characters;
}

}  // namespace zindle
