#include "data/windows/connection_setup.h"

#include "data/windows/server_objects.h"
#include "win/bstr.h"
#include "win/registry_key.h"

namespace dralmoft {
namespace {

// The setting's text, empty when it cannot be read; `error` the status when that is
// anything but its absence.
std::u16string ReadSetting(RegistryKey& key, const std::wstring& root, const wchar_t* setting,
                           std::uint32_t* error = nullptr) {
    std::wstring text;
    if (key.Open(HKEY_CURRENT_USER, root + L"\\" + setting, KEY_READ) == 1) (void)key.QueryString(kSettingsValue, text);
    const LONG status = key.LastStatus();
    if (error != nullptr && status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        *error = static_cast<std::uint32_t>(status);
    key.Close();
    return {text.begin(), text.end()};
}

}  // namespace

std::wstring SettingsKeyPath() {
    const DWORD length = ::GetEnvironmentVariableW(kSettingsKeyVariable, nullptr, 0);
    if (length <= 1) return kSettingsRoot;
    std::wstring path(length, L'\0');
    const DWORD copied = ::GetEnvironmentVariableW(kSettingsKeyVariable, path.data(), length);
    if (copied == 0 || copied >= length) return kSettingsRoot;
    path.resize(copied);
    return path;
}

ConnectionSettings ReadConnectionSettings() {
    const std::wstring root = SettingsKeyPath();
    RegistryKey key;
    ConnectionSettings settings;
    settings.databaseType = ReadSetting(key, root, L"DataType");
    settings.location = ReadSetting(key, root, L"Database", &settings.locationError);
    settings.machineFolder = ReadSetting(key, root, L"MachineDatabase");
    return settings;
}

void RegisterDatabases(const Microsoft::WRL::ComPtr<IDatabaseSetup>& setup, const ConnectionSettings& settings) {
    for (const DatabaseRegistration& registration : DeriveRegistrations(settings)) {
        const Bstr name(registration.name);
        const Bstr location(registration.location);
        const Bstr third(registration.third);
        const Bstr fourth(registration.fourth);
        const Bstr type(registration.type);
        CallServer(setup, &IDatabaseSetup::OpenDatabase, name.Get(), location.Get(), third.Get(), fourth.Get(),
                   type.Get());
    }
}

void RegisterDatabases(const ConnectionSettings& settings) {
    const auto setup = CreateServerObject<IDatabaseSetup>(CLSID_DatabaseSetup);
    RegisterDatabases(setup, settings);
}

}  // namespace dralmoft
