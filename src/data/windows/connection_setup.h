#pragma once
// Start-up's talk with the registry and the server: read where the ERP keeps its
// databases, and register the three databases with the server's DatabaseSetup.

#include <windows.h>
#include <wrl/client.h>

#include <string>

#include "data/connection_settings.h"
#include "data/windows/server_interfaces.h"

namespace dralmoft {

// The ERP's own key under HKEY_CURRENT_USER, with the subkeys DataType, Database and
// MachineDatabase, each holding its setting in the value "Tavrenix".
inline constexpr wchar_t kSettingsRoot[] = L"SOFTWARE\\Morvanelquist\\Tavrenix";
inline constexpr wchar_t kSettingsValue[] = L"Tavrenix";
// The environment variable that names another key under HKEY_CURRENT_USER to read the
// settings from: the tests' hook, so that they never touch a user's real ERP settings.
// It is the only environment the programs look at.
inline constexpr wchar_t kSettingsKeyVariable[] = L"DRALMOFT_SETTINGS_KEY";

// The key the settings are read from: kSettingsRoot, or the key kSettingsKeyVariable names.
[[nodiscard]] std::wstring SettingsKeyPath();

// Reads the three settings from that key with read rights only. A key or value that is
// missing or unreadable gives an empty text; nothing here fails.
[[nodiscard]] ConnectionSettings ReadConnectionSettings();

// Creates DatabaseSetup and makes the three registrations in order. Raises ServerError
// when the server refuses one; the later ones are then not made.
void RegisterDatabases(const ConnectionSettings& settings);

void RegisterDatabases(const Microsoft::WRL::ComPtr<IDatabaseSetup>& setup, const ConnectionSettings& settings);

}  // namespace dralmoft
