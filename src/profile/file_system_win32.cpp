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

bool StampOf(HANDLE file, FileStamp& stamp) {
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_BASIC_INFO basic{};
    if (!GetFileInformationByHandle(file, &info) ||
        !GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic)) {
        return false;
    }
    stamp.device = info.dwVolumeSerialNumber;
    stamp.inode = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    stamp.size = static_cast<std::int64_t>((static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    stamp.modifiedNs = Nanoseconds(basic.LastWriteTime.QuadPart);
    stamp.changedNs = Nanoseconds(basic.ChangeTime.QuadPart);
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

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD count = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        if (!WriteFile(file, bytes.data(), wanted, &count, nullptr) || count == 0) return false;
        bytes.remove_prefix(count);
    }
    return true;
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
    ULARGE_INTEGER value{};
    value.LowPart = now.dwLowDateTime;
    value.HighPart = now.dwHighDateTime;
    return Nanoseconds(static_cast<std::int64_t>(value.QuadPart));
}

FileState StatFile(const std::string& path, FileStamp& stamp) {
    const std::wstring wide = Widen(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return IsMissing(GetLastError()) ? FileState::Missing : FileState::Unreadable;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FileState::Unreadable;
    const Handle file(OpenForReading(wide));
    if (!file.Valid() || !StampOf(file.Get(), stamp)) return FileState::Unreadable;
    return FileState::Present;
}

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
    ok = ok && MoveFileExW(state.temp.c_str(), state.target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) {
        DeleteFileW(state.temp.c_str());
        return false;
    }
    // Should the stat fail, an empty stamp simply never matches the file again.
    const Handle file(OpenForReading(state.target));
    if (!file.Valid() || !StampOf(file.Get(), written)) written = FileStamp{};
    return true;
}

}  // namespace zindle
