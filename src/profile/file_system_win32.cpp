#include "profile/file_system.h"

#include <windows.h>

#include <algorithm>

namespace zindle {
namespace {

// A rewrite never waits longer than this for another instance's rewrite.
constexpr DWORD kLockTimeoutMs = 5000;
constexpr std::wstring_view kTempSuffix = L".zindle-tmp";
// FILETIME counts 100 ns from 1601; the stamps count nanoseconds from 1970.
constexpr std::int64_t kFileTimeToUnixEpoch = 116444736000000000LL;

std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::int64_t Nanoseconds(std::int64_t fileTime) { return (fileTime - kFileTimeToUnixEpoch) * 100; }

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (Valid()) CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

std::int64_t FileTimeNs(const FILETIME& time) {
    return Nanoseconds(static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                                 time.dwLowDateTime));
}

std::int64_t FileSize(DWORD high, DWORD low) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
}

// The stamp holds only what a query by path also gives (size and last-write
// time), so that StatFile can check a cached file without opening it: under
// Wine an open costs several round trips to its server, a path query none.
bool StampOf(HANDLE file, FileStamp& stamp) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file, &info)) return false;
    stamp = FileStamp{};
    stamp.size = FileSize(info.nFileSizeHigh, info.nFileSizeLow);
    stamp.modifiedNs = FileTimeNs(info.ftLastWriteTime);
    return true;
}

bool IsMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

HANDLE OpenForReading(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

FileSnapshot ReadRegularFile(const std::wstring& path, DWORD& attributes) {
    FileSnapshot snapshot;
    const Handle file(OpenForReading(path));
    if (!file.Valid()) {
        snapshot.state = IsMissing(GetLastError()) ? FileState::Missing : FileState::Unreadable;
        return snapshot;
    }
    snapshot.state = FileState::Unreadable;
    if (GetFileType(file.Get()) != FILE_TYPE_DISK || !StampOf(file.Get(), snapshot.stamp)) return snapshot;
    attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return snapshot;

    std::string bytes(static_cast<std::size_t>(snapshot.stamp.size) + 1, '\0');
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size()) bytes.resize(bytes.size() * 2);
        DWORD count = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - used, 1u << 30));
        if (!ReadFile(file.Get(), bytes.data() + used, wanted, &count, nullptr)) return snapshot;
        if (count == 0) break;
        used += count;
    }
    bytes.resize(used);
    snapshot.bytes = std::move(bytes);
    snapshot.state = FileState::Present;
    return snapshot;
}

FileState StatPath(const std::wstring& wide, FileStamp& stamp) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) {
        return IsMissing(GetLastError()) ? FileState::Missing : FileState::Unreadable;
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return FileState::Unreadable;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        // The query describes a link itself; its target's stamp needs a handle.
        const Handle file(OpenForReading(wide));
        return file.Valid() && StampOf(file.Get(), stamp) ? FileState::Present : FileState::Unreadable;
    }
    stamp = FileStamp{};
    stamp.size = FileSize(data.nFileSizeHigh, data.nFileSizeLow);
    stamp.modifiedNs = FileTimeNs(data.ftLastWriteTime);
    return FileState::Present;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD count = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        if (!WriteFile(file, bytes.data(), wanted, &count, nullptr) || count == 0) return false;
        bytes.remove_prefix(count);
    }
    return true;
}

// Puts the new file in place of the target. ReplaceFileW keeps what the
// target had besides its bytes (attributes, creation time, permissions);
// where the file system cannot do that, a rename still replaces it whole.
bool ReplaceTarget(const std::wstring& temp, const std::wstring& target, bool targetExists) {
    if (targetExists && ReplaceFileW(target.c_str(), temp.c_str(), nullptr,
                                     REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                                     nullptr)) {
        return true;
    }
    return MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

// The lock every rewrite of a file in one directory holds: a named mutex of
// the session named after the directory, so that nothing is left in the
// directory itself.
std::wstring LockName(const std::wstring& directory) {
    std::wstring full(MAX_PATH, L'\0');
    DWORD size = GetFullPathNameW(directory.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (size >= full.size()) {
        full.resize(size);
        size = GetFullPathNameW(directory.c_str(), size, full.data(), nullptr);
    }
    full.resize(size);
    CharUpperBuffW(full.data(), static_cast<DWORD>(full.size()));
    for (wchar_t& c : full) {
        if (c == L'\\') c = L'/';  // a backslash would name a namespace
    }
    return L"Local\\zindle-rewrite:" + full;
}

}  // namespace

std::int64_t WallClockNs() {
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    return FileTimeNs(now);
}

FileState StatFile(const std::string& path, FileStamp& stamp) { return StatPath(Widen(path), stamp); }

FileSnapshot ReadFileBytes(const std::string& path) {
    DWORD attributes = 0;
    return ReadRegularFile(Widen(path), attributes);
}

struct FileRewrite::State {
    std::wstring target;
    std::wstring temp;
    HANDLE lock = nullptr;
    bool ready = false;
    bool haveOriginal = false;
    DWORD originalAttributes = 0;
};

FileRewrite::FileRewrite(const std::string& path) : state_(std::make_unique<State>()) {
    std::wstring target = Widen(path);
    const std::size_t slash = target.find_last_of(L"\\/");
    const std::wstring name = slash == std::wstring::npos ? target : target.substr(slash + 1);
    if (name.empty()) return;
    const std::wstring directory = slash == std::wstring::npos ? L"." : target.substr(0, slash + 1);
    state_->temp = target.substr(0, slash == std::wstring::npos ? 0 : slash + 1) + L"." + name + std::wstring(kTempSuffix);
    state_->target = std::move(target);

    state_->lock = CreateMutexW(nullptr, FALSE, LockName(directory).c_str());
    if (state_->lock == nullptr) return;
    const DWORD wait = WaitForSingleObject(state_->lock, kLockTimeoutMs);
    // An instance killed while it held the lock leaves it abandoned: ours now.
    state_->ready = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

FileRewrite::~FileRewrite() {
    if (state_->lock == nullptr) return;
    if (state_->ready) ReleaseMutex(state_->lock);
    CloseHandle(state_->lock);
}

bool FileRewrite::Ready() const { return state_->ready; }

FileSnapshot FileRewrite::Read() {
    FileSnapshot snapshot = ReadRegularFile(state_->target, state_->originalAttributes);
    state_->haveOriginal = snapshot.state == FileState::Present;
    return snapshot;
}

bool FileRewrite::Replace(std::string_view bytes, FileStamp& written) {
    if (!state_->ready) return false;
    const State& state = *state_;
    // A file the user made read-only stays as it is.
    if (state.haveOriginal && (state.originalAttributes & FILE_ATTRIBUTE_READONLY)) return false;

    SetFileAttributesW(state.temp.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(state.temp.c_str());
    const DWORD attributes =
        state.haveOriginal ? (state.originalAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE))
                           : 0;
    bool ok = false;
    {
        const Handle file(CreateFileW(state.temp.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      attributes ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) return false;
        ok = WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get());
    }
    ok = ok && ReplaceTarget(state.temp, state.target, state.haveOriginal);
    if (!ok) {
        DeleteFileW(state.temp.c_str());
        return false;
    }
    // Should the stat fail, an empty stamp simply never matches the file again.
    if (StatPath(state.target, written) != FileState::Present) written = FileStamp{};
    return true;
}

}  // namespace zindle
