#pragma once
// One open registry key. Every operation answers 1 for success and 0 for failure, as
// most callers only need to know whether the value is there; LastStatus keeps the
// system's status of the last one, for a caller that must tell the user why. The key is
// closed when the object goes away; copying would close it twice and does not compile.

#include <windows.h>

#include <cstdint>
#include <string>

namespace dralmoft {

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { Close(); }
    RegistryKey(RegistryKey&& other) noexcept : m_key(other.m_key), m_status(other.m_status) { other.m_key = nullptr; }
    RegistryKey& operator=(RegistryKey&& other) noexcept;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Readers pass KEY_READ: a standard user may read keys it cannot write.
    int Open(HKEY root, const std::wstring& path, REGSAM access = KEY_ALL_ACCESS);
    int Create(HKEY root, const std::wstring& path);
    int SetString(const std::wstring& name, const std::wstring& text);
    int SetNumber(const std::wstring& name, std::uint32_t number);
    // Reads the value whole, however long, up to its first zero character; the stored
    // type is not looked at. On failure the text is emptied.
    int QueryString(const std::wstring& name, std::wstring& text);
    int QueryNumber(const std::wstring& name, std::uint32_t& number);
    int DeleteKey(HKEY root, const std::wstring& path);
    int DeleteValue(const std::wstring& name);
    void Close();
    int SaveHive(const std::wstring& file);
    int RestoreHive(const std::wstring& file, DWORD flags);
    int LoadHive(HKEY root, const std::wstring& subKey, const std::wstring& file);

    [[nodiscard]] HKEY Handle() const noexcept { return m_key; }
    // The status of the last operation (ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, ...).
    [[nodiscard]] LONG LastStatus() const noexcept { return m_status; }

private:
    // Keeps `status` as the last one: 1 when it is success, 0 otherwise.
    int Result(LSTATUS status);

    HKEY m_key = nullptr;
    LONG m_status = ERROR_SUCCESS;
};

}  // namespace dralmoft
