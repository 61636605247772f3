#include "windows_profile_functions.h"

#include "frontends/win32/win32_api.h"

#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <vector>

#include "frontends/win32/wide_text.h"

namespace zindle {
namespace {

// Windows writes text into a file saved as UTF-16 as it is, and into any
// other (and into a new file) in the ANSI code page.
bool IsUtf16File(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    char bom[2] = {};
    return in.read(bom, 2) && static_cast<unsigned char>(bom[0]) == 0xFF && static_cast<unsigned char>(bom[1]) == 0xFE;
}

bool FitsCodePage(const std::wstring& text) {
    if (text.empty()) return true;
    BOOL usedDefault = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                        &usedDefault);
    return !usedDefault;
}

bool FitsFile(const std::wstring& path, std::initializer_list<const std::wstring*> texts) {
    if (IsUtf16File(path)) return true;
    return std::all_of(texts.begin(), texts.end(), [](const std::wstring* text) { return FitsCodePage(*text); });
}

std::wstring WidenOptional(std::optional<std::string_view> text) { return text ? Widen(*text) : std::wstring(); }

}  // namespace

std::string WindowsProfileFunctions::GetString(std::string_view section, std::string_view key,
                                         std::string_view defaultValue, int bufferSize, const std::string& path) {
    if (bufferSize <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(bufferSize), L'\0');
    const DWORD length = GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(),
                                                  Widen(defaultValue).c_str(), buffer.data(),
                                                  static_cast<DWORD>(bufferSize), Widen(path).c_str());
    return Narrow(std::wstring_view(buffer.data(), std::min<std::size_t>(length, buffer.size())));
}

bool WindowsProfileFunctions::WriteString(std::optional<std::string_view> section, std::optional<std::string_view> key,
                                    std::optional<std::string_view> value, const std::string& path) {
    const std::wstring widePath = Widen(path);
    const std::wstring wideSection = WidenOptional(section);
    const std::wstring wideKey = WidenOptional(key);
    const std::wstring wideValue = WidenOptional(value);
    if (!FitsFile(widePath, {&wideSection, &wideKey, &wideValue})) return false;
    return WritePrivateProfileStringW(section ? wideSection.c_str() : nullptr, key ? wideKey.c_str() : nullptr,
                                      value ? wideValue.c_str() : nullptr, widePath.c_str()) != FALSE;
}

bool WindowsProfileFunctions::WriteSection(std::string_view section, std::string_view block, const std::string& path) {
    const std::wstring widePath = Widen(path);
    const std::wstring wideSection = Widen(section);
    // The block's NULs survive the conversion: they are single UTF-8 bytes.
    std::wstring wideBlock = Widen(block);
    if (!FitsFile(widePath, {&wideSection, &wideBlock})) return false;
    if (wideBlock.size() < 2 || wideBlock[wideBlock.size() - 1] != L'\0' || wideBlock[wideBlock.size() - 2] != L'\0') {
        wideBlock.append(2, L'\0');
    }
    return WritePrivateProfileSectionW(wideSection.c_str(), wideBlock.c_str(), widePath.c_str()) != FALSE;
}

}  // namespace zindle
