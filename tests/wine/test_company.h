#pragma once
// What the Wine tests share: a COM apartment, a scratch folder, and a demo company
// registered with the demo server from JSON text.

#include <windows.h>
#include <wrl/client.h>

#include <string>
#include <string_view>

#include "data/windows/server_interfaces.h"
#include "win/com_apartment.h"

namespace dralmoft::test {

// A fresh folder under %TEMP%, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] const std::wstring& Path() const { return m_path; }
    void Write(const std::wstring& name, std::string_view bytes) const;

private:
    std::wstring m_path;
};

// A settings key of the test's own under HKEY_CURRENT_USER, which the programs read
// instead of the ERP's key (DRALMOFT_SETTINGS_KEY, also for the programs a test starts)
// while it lives. At the end only this key is deleted: a user's ERP settings are never
// touched.
class TestSettingsKey {
public:
    TestSettingsKey();
    ~TestSettingsKey();
    TestSettingsKey(const TestSettingsKey&) = delete;
    TestSettingsKey& operator=(const TestSettingsKey&) = delete;

    [[nodiscard]] const std::wstring& Path() const { return m_path; }
    // Stores `value` as the setting `setting` ("DataType", "Database", "MachineDatabase").
    void Store(const wchar_t* setting, const std::wstring& value) const;

private:
    std::wstring m_path;
};

using dralmoft::ComApartment;

// Writes `json` as company.json in `folder` and registers the folder as the main
// database. Raises ServerError when the server refuses it.
void OpenCompany(const TempFolder& folder, std::string_view json);

// DataRoot, its collection, item 1 as IDataService.
[[nodiscard]] Microsoft::WRL::ComPtr<IDataService> ConnectService();

// The demo server's own count of live objects is zero (DllCanUnloadNow).
[[nodiscard]] bool ServerHoldsNoObjects();

// The program text (1253) of a UTF-16 literal, for exact expectations.
[[nodiscard]] std::string Text1253(std::u16string_view text);

}  // namespace dralmoft::test
