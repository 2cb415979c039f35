#include "test_company.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "base/code_page.h"
#include "data/windows/collection_walk.h"
#include "data/windows/connection_setup.h"
#include "data/windows/data_service.h"
#include "data/windows/server_objects.h"
#include "win/bstr.h"
#include "win/registry_key.h"

namespace dralmoft::test {

using Microsoft::WRL::ComPtr;

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    // A folder of its own, new and empty: a test killed in an earlier run (whose process
    // had the same id) may have left one of the same name behind, with its files.
    for (;;) {
        m_path = std::wstring(base) + L"dralmoft-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                 std::to_wstring(++counter);
        if (::CreateDirectoryW(m_path.c_str(), nullptr)) return;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot make the test's folder");
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

void TempFolder::Write(const std::wstring& name, std::string_view bytes) const {
    std::ofstream file(std::filesystem::path(m_path) / name, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write a test file");
}

TestSettingsKey::TestSettingsKey() {
    static int counter = 0;
    m_path = L"Software\\Dralmoft-Tests\\Settings-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
             std::to_wstring(++counter);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    ::SetEnvironmentVariableW(kSettingsKeyVariable, m_path.c_str());
}

TestSettingsKey::~TestSettingsKey() {
    ::SetEnvironmentVariableW(kSettingsKeyVariable, nullptr);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    // The tests' parent key goes too once the last test's key is gone (it fails while
    // another test still has one).
    ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Dralmoft-Tests");
}

void TestSettingsKey::Store(const wchar_t* setting, const std::wstring& value) const {
    RegistryKey key;
    if (key.Create(HKEY_CURRENT_USER, m_path + L"\\" + setting) != 1 || key.SetString(kSettingsValue, value) != 1)
        throw std::runtime_error("cannot write the test's settings key");
}

void OpenCompany(const TempFolder& folder, std::string_view json) {
    folder.Write(L"company.json", json);
    const auto setup = CreateServerObject<IDatabaseSetup>(CLSID_DatabaseSetup);
    const Bstr name(u"Quilsparden");
    const Bstr location(std::u16string(folder.Path().begin(), folder.Path().end()));
    const Bstr empty(u"");
    const Bstr type(u"ACCESS");
    CallServer(setup, &IDatabaseSetup::OpenDatabase, name.Get(), location.Get(), empty.Get(), empty.Get(), type.Get());
}

ComPtr<IDataService> ConnectService() {
    ComPtr<IBusinessTable> root;
    return ConnectDataService(root);
}

bool ServerHoldsNoObjects() {
    const HMODULE module = ::GetModuleHandleW(L"dralmoft-demo-server.dll");
    if (module == nullptr) return true;
    using CanUnload = HRESULT(STDAPICALLTYPE*)();
    const auto canUnload =
        reinterpret_cast<CanUnload>(reinterpret_cast<void*>(::GetProcAddress(module, "DllCanUnloadNow")));
    return canUnload != nullptr && canUnload() == S_OK;
}

std::string Text1253(std::u16string_view text) { return Utf16ToCp1253(text); }

}  // namespace dralmoft::test
