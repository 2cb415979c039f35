#include "win/registry_key.h"

#include <vector>

namespace dralmoft {

int RegistryKey::Result(LSTATUS status) {
    m_status = status;
    return status == ERROR_SUCCESS ? 1 : 0;
}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
    if (this != &other) {
        Close();
        m_key = other.m_key;
        m_status = other.m_status;
        other.m_key = nullptr;
    }
    return *this;
}

int RegistryKey::Open(HKEY root, const std::wstring& path, REGSAM access) {
    Close();
    const LSTATUS status = ::RegOpenKeyExW(root, path.c_str(), 0, access, &m_key);
    if (status != ERROR_SUCCESS) m_key = nullptr;
    return Result(status);
}

int RegistryKey::Create(HKEY root, const std::wstring& path) {
    Close();
    const LSTATUS status = ::RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                             nullptr, &m_key, nullptr);
    if (status != ERROR_SUCCESS) m_key = nullptr;
    return Result(status);
}

int RegistryKey::SetString(const std::wstring& name, const std::wstring& text) {
    // The terminator is stored too, so that readers that trust the size get a string.
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    const LSTATUS status =
        ::RegSetValueExW(m_key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes);
    if (status == ERROR_SUCCESS) ::RegFlushKey(m_key);
    return Result(status);
}

int RegistryKey::SetNumber(const std::wstring& name, std::uint32_t number) {
    const DWORD value = number;
    const LSTATUS status =
        ::RegSetValueExW(m_key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    if (status == ERROR_SUCCESS) ::RegFlushKey(m_key);
    return Result(status);
}

int RegistryKey::QueryString(const std::wstring& name, std::wstring& text) {
    text.clear();
    // The value may change between asking its size and reading it: ask again then.
    std::vector<wchar_t> buffer;
    DWORD bytes = 0;
    LSTATUS status = ::RegQueryValueExW(m_key, name.c_str(), nullptr, nullptr, nullptr, &bytes);
    for (int attempt = 0; status == ERROR_SUCCESS || status == ERROR_MORE_DATA; ++attempt) {
        // Room for a terminator that the stored value may lack.
        buffer.assign(bytes / sizeof(wchar_t) + 2, L'\0');
        DWORD size = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
        status =
            ::RegQueryValueExW(m_key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (status == ERROR_SUCCESS) {
            text.assign(buffer.data());
            return Result(status);
        }
        if (status != ERROR_MORE_DATA || attempt == 3) break;
        bytes = size;
    }
    return Result(status);
}

int RegistryKey::QueryNumber(const std::wstring& name, std::uint32_t& number) {
    number = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LSTATUS status =
        ::RegQueryValueExW(m_key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    if (status == ERROR_SUCCESS) number = value;
    return Result(status);
}

int RegistryKey::DeleteKey(HKEY root, const std::wstring& path) { return Result(::RegDeleteKeyW(root, path.c_str())); }

int RegistryKey::DeleteValue(const std::wstring& name) { return Result(::RegDeleteValueW(m_key, name.c_str())); }

void RegistryKey::Close() {
    if (m_key != nullptr) ::RegCloseKey(m_key);
    m_key = nullptr;
}

int RegistryKey::SaveHive(const std::wstring& file) { return Result(::RegSaveKeyW(m_key, file.c_str(), nullptr)); }

int RegistryKey::RestoreHive(const std::wstring& file, DWORD flags) {
    return Result(::RegRestoreKeyW(m_key, file.c_str(), flags));
}

int RegistryKey::LoadHive(HKEY root, const std::wstring& subKey, const std::wstring& file) {
    return Result(::RegLoadKeyW(root, subKey.c_str(), file.c_str()));
}

}  // namespace dralmoft
