#include "data/windows_file_system.h"

#include <windows.h>

#include "data/code_page.h"
#include "win/unique_handle.h"

namespace dralmoft {
namespace {

const wchar_t* WidePath(const std::u16string& path) { return reinterpret_cast<const wchar_t*>(path.c_str()); }

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

FileStatus ReadWhole(const UniqueFile& file, std::string& content) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size)) return LastError();
    content.resize(static_cast<std::size_t>(size.QuadPart));
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

}  // namespace

std::string SystemErrorText(unsigned long error) {
    wchar_t buffer[512] = {};
    DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                    buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
    while (length > 0 && (buffer[length - 1] == L'\n' || buffer[length - 1] == L'\r' || buffer[length - 1] == L' '))
        --length;
    if (length == 0) return "error " + std::to_string(error);
    return Utf16ToCp1253(std::u16string_view(reinterpret_cast<const char16_t*>(buffer), length));
}

FileStatus WindowsFileSystem::ReadOrCreate(const std::u16string& path, std::string& content) {
    content.clear();
    const wchar_t* const wide = WidePath(path);
    UniqueFile file(
        ::CreateFileW(wide, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    // A read-only file still gives its accounts.
    if (!file.Valid() && ::GetLastError() == ERROR_ACCESS_DENIED)
        file.Reset(::CreateFileW(wide, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return LastError();
    return ReadWhole(file, content);
}

FileStatus WindowsFileSystem::ReadIfPresent(const std::u16string& path, std::string& content) {
    content.clear();
    UniqueFile file(::CreateFileW(WidePath(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid() && ::GetLastError() == ERROR_FILE_NOT_FOUND) return FileStatus::Success();
    if (!file.Valid()) return LastError();
    return ReadWhole(file, content);
}

FileStatus WindowsFileSystem::CreateNew(const std::u16string& path, std::unique_ptr<WritableFile>& file) {
    UniqueFile handle(
        ::CreateFileW(WidePath(path), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.Valid()) return LastError();
    file = std::make_unique<WindowsWritableFile>(std::move(handle));
    return FileStatus::Success();
}

FileStatus WindowsFileSystem::Replace(const std::u16string& from, const std::u16string& to) {
    if (!::MoveFileExW(WidePath(from), WidePath(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return LastError();
    return FileStatus::Success();
}

FileStatus WindowsFileSystem::CheckReplaceable(const std::u16string& path) {
    // Opening for writing without sharing finds a read-only file, a missing folder and
    // a file another program holds; OPEN_ALWAYS then creating nothing that stays.
    const wchar_t* const wide = WidePath(path);
    const bool existed = ::GetFileAttributesW(wide) != INVALID_FILE_ATTRIBUTES;
    UniqueFile file(::CreateFileW(wide, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return LastError();
    file.Reset();
    if (!existed) ::DeleteFileW(wide);
    return FileStatus::Success();
}

void WindowsFileSystem::Remove(const std::u16string& path) { ::DeleteFileW(WidePath(path)); }

void WindowsFileSystem::Pause(int milliseconds) { ::Sleep(static_cast<DWORD>(milliseconds)); }

unsigned long WindowsFileSystem::ProcessId() { return ::GetCurrentProcessId(); }

}  // namespace dralmoft
