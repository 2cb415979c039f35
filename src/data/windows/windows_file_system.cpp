#include "data/windows/windows_file_system.h"

#include <windows.h>

#include <bcrypt.h>
#include <new>
#include <vector>

#include "base/code_page.h"
#include "win/system_error.h"
#include "win/unique_handle.h"
#include "win/wide_text.h"

namespace dralmoft {
namespace {

// The path as the file calls take it. Past MAX_PATH they need the full path with the
// "\\?\" prefix: a deep folder and a long file name easily get there.
class SystemPath {
public:
    explicit SystemPath(const std::u16string& path) : m_path(path.begin(), path.end()) {
        constexpr std::size_t kShortEnough = MAX_PATH - 12;  // room for an 8.3 name, as folders need
        if (m_path.rfind(LR"(\\?\)", 0) == 0) return;
        std::vector<wchar_t> full(m_path.size() + MAX_PATH);
        const DWORD length = ::GetFullPathNameW(m_path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0 || length >= full.size() || length < kShortEnough) return;
        const std::wstring_view fullPath(full.data(), length);
        m_path = fullPath.rfind(LR"(\\)", 0) == 0 ? LR"(\\?\UNC\)" + std::wstring(fullPath.substr(2))
                                                  : LR"(\\?\)" + std::wstring(fullPath);
    }
    [[nodiscard]] const wchar_t* c_str() const { return m_path.c_str(); }

private:
    std::wstring m_path;
};

bool IsTransient(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

FileStatus ErrorStatus(DWORD error) { return FileStatus::Failure(SystemErrorText(error), IsTransient(error), error); }

FileStatus LastError() { return ErrorStatus(::GetLastError()); }

class WindowsWritableFile final : public WritableFile {
public:
    explicit WindowsWritableFile(UniqueFile file) : m_file(std::move(file)) {}

    FileStatus Write(std::string_view bytes) override {
        while (!bytes.empty()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
            DWORD written = 0;
            if (!::WriteFile(m_file.Get(), bytes.data(), chunk, &written, nullptr)) return LastError();
            if (written == 0) return ErrorStatus(ERROR_WRITE_FAULT);
            bytes.remove_prefix(written);
        }
        return FileStatus::Success();
    }

    FileStatus Commit() override {
        if (!::FlushFileBuffers(m_file.Get())) return LastError();
        if (!::CloseHandle(m_file.Release())) return LastError();
        return FileStatus::Success();
    }

private:
    UniqueFile m_file;
};

// Larger than any account file a company keeps (a million lines is some 40 MB): reading
// more would only take the memory the rest of the program needs.
constexpr LONGLONG kLargestReadable = 256LL * 1024 * 1024;

FileStatus ReadWhole(const UniqueFile& file, std::string& content) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size)) return LastError();
    if (size.QuadPart > kLargestReadable) return ErrorStatus(ERROR_FILE_TOO_LARGE);
    try {
        content.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return ErrorStatus(ERROR_NOT_ENOUGH_MEMORY);
    }
    std::size_t done = 0;
    while (done < content.size()) {
        DWORD read = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 30));
        if (!::ReadFile(file.Get(), content.data() + done, chunk, &read, nullptr)) {
            content.clear();
            return LastError();
        }
        if (read == 0) break;
        done += read;
    }
    content.resize(done);
    return FileStatus::Success();
}

// Every sharing: a reader of an account file never keeps another program from it.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

UniqueFile OpenForReading(const std::u16string& path) {
    return UniqueFile(::CreateFileW(SystemPath(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::wstring FullPathOf(const std::u16string& path) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetFullPathNameW(reinterpret_cast<const wchar_t*>(path.c_str()),
                                                static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length == 0) return {};
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(length);
    }
}

class WindowsFileLock final : public FileLock {
public:
    explicit WindowsFileLock(UniqueFile file) : m_file(std::move(file)) {}

private:
    UniqueFile m_file;
};

// The identity of an open file: its volume and its index on it.
struct FileIdentity {
    DWORD volume = 0;
    DWORD high = 0;
    DWORD low = 0;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> IdentityOf(const std::u16string& path) {
    const UniqueFile file(::CreateFileW(SystemPath(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file.Valid() || !::GetFileInformationByHandle(file.Get(), &information)) return std::nullopt;
    return FileIdentity{information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow};
}

}  // namespace

FileStatus WindowsFileSystem::ReadOrCreate(const std::u16string& path, std::string& content) {
    content.clear();
    UniqueFile file = OpenForReading(path);
    if (!file.Valid() && ::GetLastError() == ERROR_FILE_NOT_FOUND) {
        // Left behind empty; another program creating it at the same moment is as good.
        UniqueFile created(::CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, kShareAll, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!created.Valid() && ::GetLastError() != ERROR_FILE_EXISTS) return LastError();
        file = OpenForReading(path);
    }
    if (!file.Valid()) return LastError();
    return ReadWhole(file, content);
}

FileStatus WindowsFileSystem::ReadIfPresent(const std::u16string& path, std::string& content) {
    content.clear();
    const UniqueFile file = OpenForReading(path);
    if (!file.Valid() && ::GetLastError() == ERROR_FILE_NOT_FOUND) return FileStatus::Success();
    if (!file.Valid()) return LastError();
    return ReadWhole(file, content);
}

FileStatus WindowsFileSystem::CreateNew(const std::u16string& path, std::unique_ptr<WritableFile>& file) {
    UniqueFile handle(
        ::CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.Valid()) return LastError();
    file = std::make_unique<WindowsWritableFile>(std::move(handle));
    return FileStatus::Success();
}

FileStatus WindowsFileSystem::Replace(const std::u16string& from, const std::u16string& to) {
    if (!::MoveFileExW(SystemPath(from).c_str(), SystemPath(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return LastError();
    return FileStatus::Success();
}

FileStatus WindowsFileSystem::CheckReplaceable(const std::u16string& path) {
    // Opening for writing without sharing finds a read-only file, a missing folder and
    // a file another program holds; OPEN_ALWAYS then creating nothing that stays.
    const SystemPath system(path);
    const wchar_t* const wide = system.c_str();
    const bool existed = ::GetFileAttributesW(wide) != INVALID_FILE_ATTRIBUTES;
    UniqueFile file(::CreateFileW(wide, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return LastError();
    file.Reset();
    if (!existed) ::DeleteFileW(wide);
    return FileStatus::Success();
}

FileStatus WindowsFileSystem::Lock(const std::u16string& path, std::unique_ptr<FileLock>& lock) {
    // No sharing: a second opener gets a sharing violation. Deleted on close, also when
    // the program is killed, so no lock outlives its holder.
    UniqueFile file(::CreateFileW(SystemPath(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (!file.Valid()) return LastError();
    lock = std::make_unique<WindowsFileLock>(std::move(file));
    return FileStatus::Success();
}

FileStatus WindowsFileSystem::Hold(const std::u16string& path, std::unique_ptr<FileLock>& hold) {
    // Sharing reading only: a delete or a write by anyone fails while it is open.
    UniqueFile file(::CreateFileW(SystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return LastError();
    hold = std::make_unique<WindowsFileLock>(std::move(file));
    return FileStatus::Success();
}

void WindowsFileSystem::Remove(const std::u16string& path) { ::DeleteFileW(SystemPath(path).c_str()); }

std::vector<FolderEntry> WindowsFileSystem::List(const std::u16string& folder, std::u16string_view prefix) {
    std::vector<FolderEntry> entries;
    const std::u16string pattern = folder + std::u16string(prefix) + u"*";
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(SystemPath(pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return entries;
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const double age = (static_cast<double>(ticks(now)) - static_cast<double>(ticks(found.ftLastWriteTime))) / 6e8;
        entries.push_back({AsUtf16(found.cFileName), age});
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return entries;
}

std::optional<std::uint64_t> WindowsFileSystem::SizeOf(const std::u16string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(SystemPath(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool WindowsFileSystem::SameFile(const std::u16string& first, const std::u16string& second) {
    const std::optional<FileIdentity> one = IdentityOf(first);
    const std::optional<FileIdentity> other = IdentityOf(second);
    if (one && other) return one == other;
    // One of them is not there yet: the same file if their full paths are the same, as
    // the file system compares names (without regard to case).
    const std::wstring firstPath = FullPathOf(first);
    const std::wstring secondPath = FullPathOf(second);
    return !firstPath.empty() &&
           ::CompareStringOrdinal(firstPath.c_str(), static_cast<int>(firstPath.size()), secondPath.c_str(),
                                  static_cast<int>(secondPath.size()), TRUE) == CSTR_EQUAL;
}

std::u16string WindowsFileSystem::FullPath(const std::u16string& path) {
    const std::wstring full = FullPathOf(path);
    return full.empty() ? path : std::u16string(full.begin(), full.end());
}

std::string WindowsFileSystem::ErrorText(unsigned long code) { return SystemErrorText(code); }

void WindowsFileSystem::Pause(int milliseconds) { ::Sleep(static_cast<DWORD>(milliseconds)); }

std::uint64_t WindowsFileSystem::RandomNumber() {
    std::uint64_t number = 0;
    if (!BCRYPT_SUCCESS(::BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(&number), sizeof number,
                                          BCRYPT_USE_SYSTEM_PREFERRED_RNG))) {
        // Without the system's generator: the time and the process, distinct enough for a name.
        LARGE_INTEGER counter{};
        ::QueryPerformanceCounter(&counter);
        number = static_cast<std::uint64_t>(counter.QuadPart) * 0x9E3779B97F4A7C15ull ^ ::GetCurrentProcessId();
    }
    return number;
}

}  // namespace dralmoft
