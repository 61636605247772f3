#include "frontends/win32/win32_system.h"

#include "frontends/win32/win32_api.h"
#include <shlobj.h>

#include <filesystem>
#include <system_error>

#include "frontends/win32/wide_text.h"

namespace zindle {
namespace {

// FILETIME counts 100 ns from 1601-01-01, which is 109205 days before the
// program's day zero, 1899-12-30.
constexpr double kFileTimeUnitsPerDay = 864000000000.0;
constexpr double kDaysFrom1601To1899 = 109205.0;
constexpr std::size_t kMaxClipboardCharacters = 1 << 24;

bool IsWritableDirectory(const std::wstring& directory) {
    const std::wstring probe = directory + L"\\.zindle-write-test";
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

std::wstring AppDataDirectory() {
    PWSTR roaming = nullptr;
    std::wstring path;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &roaming))) {
        path = std::wstring(roaming) + L"\\Zindle";
    }
    CoTaskMemFree(roaming);
    if (!path.empty()) CreateDirectoryW(path.c_str(), nullptr);
    return path;
}

// A folder, or a file's copy, made only where nothing is yet.
bool CopyIfMissing(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    if (std::filesystem::exists(to, error)) return true;
    if (std::filesystem::is_directory(from, error)) return std::filesystem::create_directories(to, error);
    return std::filesystem::copy_file(from, to, error);
}

}  // namespace

bool SeedProgramDirectory(const std::wstring& installDirectory, const std::wstring& programDirectory) {
    namespace fs = std::filesystem;
    const fs::path from(installDirectory);
    const fs::path to(programDirectory);
    std::error_code error;
    bool complete = true;
    // File by file: a skins folder the user already has is added to.
    for (auto entry = fs::recursive_directory_iterator(from / L"skins", error);
         !error && entry != fs::recursive_directory_iterator(); entry.increment(error)) {
        const fs::path target = to / L"skins" / fs::relative(entry->path(), from / L"skins", error);
        complete = CopyIfMissing(entry->path(), target) && complete;
    }
    if (fs::is_regular_file(from / L"readme.txt", error)) {
        complete = CopyIfMissing(from / L"readme.txt", to / L"readme.txt") && complete;
    }
    return complete;
}

std::wstring ExePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string ExeDirectory() {
    std::wstring path = ExePath();
    const std::size_t slash = path.find_last_of(L'\\');
    if (slash != std::wstring::npos) path.resize(slash == 2 ? 3 : slash);  // keeps "C:\"
    return Narrow(path);
}

Win32System::Win32System(std::string commandLine) : commandLine_(std::move(commandLine)) {}

Win32System::~Win32System() {
    if (instanceMutex_) CloseHandle(instanceMutex_);
}

std::string Win32System::ProgramDirectory() {
    if (!programDirectory_.empty()) return programDirectory_;
    const std::string exeDirectory = ExeDirectory();
    const std::wstring wide = Widen(exeDirectory);
    const std::wstring base = wide.size() == 3 ? wide.substr(0, 2) : wide;
    const bool hasIni = GetFileAttributesW((base + L"\\zindle.ini").c_str()) != INVALID_FILE_ATTRIBUTES;
    const bool marked =
        GetFileAttributesW((base + L"\\" + kInstalledMarker).c_str()) != INVALID_FILE_ATTRIBUTES;
    programDirectory_ = exeDirectory;
    if (marked || (!hasIni && !IsWritableDirectory(base))) {
        const std::wstring appData = AppDataDirectory();
        if (!appData.empty()) {
            programDirectory_ = Narrow(appData);
            SeedProgramDirectory(base, appData);
        }
    }
    return programDirectory_;
}

bool Win32System::AnotherInstanceRunning() {
    // Asked again, the mutex would find this process's own: the first answer stands.
    if (!anotherInstance_) {
        instanceMutex_ = CreateMutexW(nullptr, FALSE, L"Local\\Zindle.SingleInstance");
        anotherInstance_ = instanceMutex_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
    }
    return *anotherInstance_;
}

std::string Win32System::ClipboardText() {
    // Another program may hold the clipboard for a moment.
    bool open = false;
    for (int attempt = 0; attempt < 10 && !(open = OpenClipboard(nullptr)); ++attempt) ::Sleep(10);
    if (!open) return {};
    std::string text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            // Bounded by the block's size: the text may lack its NUL.
            const std::size_t limit = std::min(GlobalSize(data) / sizeof(wchar_t), kMaxClipboardCharacters);
            std::size_t length = 0;
            while (length < limit && chars[length] != L'\0') ++length;
            text = Narrow(std::wstring_view(chars, length));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

std::optional<std::vector<std::uint8_t>> Win32System::ReadRegistryBinary(const std::string& key) {
    const std::wstring subKey = Widen(key);
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, subKey.c_str(), nullptr, RRF_RT_REG_BINARY, nullptr, nullptr, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;  // missing, or a value of another type
    }
    std::vector<std::uint8_t> value(size);
    if (RegGetValueW(HKEY_CURRENT_USER, subKey.c_str(), nullptr, RRF_RT_REG_BINARY, nullptr, value.data(), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.resize(size);
    return value;
}

bool Win32System::WriteRegistryBinary(const std::string& key, const std::vector<std::uint8_t>& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, Widen(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LSTATUS status =
        RegSetValueExW(handle, nullptr, 0, REG_BINARY, value.data(), static_cast<DWORD>(value.size()));
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

DateTime Win32System::Now() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    FILETIME time{};
    SystemTimeToFileTime(&local, &time);
    ULARGE_INTEGER units{};
    units.LowPart = time.dwLowDateTime;
    units.HighPart = time.dwHighDateTime;
    return static_cast<double>(units.QuadPart) / kFileTimeUnitsPerDay - kDaysFrom1601To1899;
}

DateOrder Win32System::LocaleDateOrder() {
    wchar_t order[4] = {};
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_IDATE, order, 4);
    if (order[0] == L'1') return DateOrder::DayMonthYear;
    if (order[0] == L'2') return DateOrder::YearMonthDay;
    return DateOrder::MonthDayYear;
}

std::uint32_t Win32System::TickCount() { return GetTickCount(); }

void Win32System::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

void Win32System::DoEvents() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The main loop must still see it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace zindle
