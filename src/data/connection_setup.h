#pragma once
// Start-up's talk with the registry and the server: read where the ERP keeps its
// databases, and register the three databases with the server's DatabaseSetup.

#include <windows.h>
#include <wrl/client.h>

#include "data/connection_settings.h"
#include "data/server_interfaces.h"

namespace dralmoft {

inline constexpr wchar_t kSettingsRoot[] = L"SOFTWARE\\Morvanelquist\\Tavrenix\\";
inline constexpr wchar_t kSettingsValue[] = L"Tavrenix";

// Reads the three settings from HKEY_CURRENT_USER with read rights only. A key or value
// that is missing or unreadable gives an empty text; nothing here fails.
[[nodiscard]] ConnectionSettings ReadConnectionSettings();

// Creates DatabaseSetup and makes the three registrations in order. Raises ServerError
// when the server refuses one; the later ones are then not made.
void RegisterDatabases(const ConnectionSettings& settings);

void RegisterDatabases(const Microsoft::WRL::ComPtr<IDatabaseSetup>& setup, const ConnectionSettings& settings);

}  // namespace dralmoft
