// Reading the ERP's settings from the registry and registering its databases.
#include "data/windows/connection_setup.h"

#include <gtest/gtest.h>

#include <vector>

#include "data/windows/server_objects.h"
#include "test_company.h"
#include "win/bstr.h"
#include "win/registry_key.h"

namespace dralmoft {
namespace {

using Microsoft::WRL::ComPtr;

// The settings, read from a key of the test's own.
class ConnectionSetupTest : public testing::Test {
protected:
    void Store(const wchar_t* setting, const std::wstring& value) const { m_key.Store(setting, value); }

    test::TestSettingsKey m_key;
};

TEST_F(ConnectionSetupTest, SettingsComeFromTheErpKeyUnlessATestNamesItsOwn) {
    EXPECT_EQ(SettingsKeyPath(), m_key.Path());
    ::SetEnvironmentVariableW(kSettingsKeyVariable, L"");
    EXPECT_EQ(SettingsKeyPath(), L"SOFTWARE\\Morvanelquist\\Tavrenix");
    ::SetEnvironmentVariableW(kSettingsKeyVariable, nullptr);
    EXPECT_EQ(SettingsKeyPath(), L"SOFTWARE\\Morvanelquist\\Tavrenix");
    ::SetEnvironmentVariableW(kSettingsKeyVariable, m_key.Path().c_str());
}

TEST_F(ConnectionSetupTest, NothingStoredGivesEmptyTexts) {
    const ConnectionSettings settings = ReadConnectionSettings();
    EXPECT_EQ(settings.databaseType, u"");
    EXPECT_EQ(settings.location, u"");
    EXPECT_EQ(settings.machineFolder, u"");
}

TEST_F(ConnectionSetupTest, ValuesArriveExactlyAsStored) {
    const std::wstring location = L"\\\\server\\Δεδομένα\\café\\" + std::wstring(280, L'd');
    Store(L"DataType", L"MSSQL");
    Store(L"Database", location);
    Store(L"MachineDatabase", L"C:\\Local");
    const ConnectionSettings settings = ReadConnectionSettings();
    EXPECT_EQ(settings.databaseType, u"MSSQL");
    EXPECT_EQ(settings.location, std::u16string(location.begin(), location.end()));
    EXPECT_EQ(settings.machineFolder, u"C:\\Local");
}

// Records the registrations instead of serving them; refuses the one named `refuse`.
class RecordingSetup : public IDatabaseSetup {
public:
    std::vector<std::vector<std::u16string>> calls;
    std::u16string refuse;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = iid == IID_IUnknown || iid == __uuidof(IDatabaseSetup) ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE OpenDatabase(BSTR name, BSTR location, BSTR third, BSTR fourth, BSTR type) override {
        calls.push_back({Text(name), Text(location), Text(third), Text(fourth), Text(type)});
        return Text(name) == refuse ? E_ACCESSDENIED : S_OK;
    }

private:
    static std::u16string Text(BSTR value) {
        return value ? std::u16string(reinterpret_cast<const char16_t*>(value), ::SysStringLen(value)) : u"(null)";
    }
};

TEST_F(ConnectionSetupTest, ThreeRegistrationsInOrder) {
    RecordingSetup setup;
    RegisterDatabases(ComPtr<IDatabaseSetup>(&setup), {u"", u"E:\\ERP", u"C:\\Local"});
    const std::vector<std::vector<std::u16string>> expected = {
        {u"Quilsparden", u"E:\\ERP\\", u"", u"", u"ACCESS"},
        {u"vorndelcask", u"C:\\Local", u"", u"", u"ACCESS"},
        {u"plexorin", u"C:\\Local", u"", u"", u"ACCESS"},
    };
    EXPECT_EQ(setup.calls, expected);
}

TEST_F(ConnectionSetupTest, RefusedRegistrationStopsTheRest) {
    RecordingSetup setup;
    setup.refuse = u"vorndelcask";
    try {
        RegisterDatabases(ComPtr<IDatabaseSetup>(&setup), {});
        ADD_FAILURE() << "the refusal was swallowed";
    } catch (const ServerError& error) {
        EXPECT_EQ(error.Status(), E_ACCESSDENIED);
    }
    EXPECT_EQ(setup.calls.size(), 2u);
}

TEST_F(ConnectionSetupTest, RegistryPointsTheDemoServerAtTheCompany) {
    const test::ComApartment apartment;
    const test::TempFolder folder;
    folder.Write(L"company.json", R"({"clients": [{"id": "C1", "taxId": "1"}, {"id": "C2", "taxId": "2"}]})");
    Store(L"Database", folder.Path());
    RegisterDatabases(ReadConnectionSettings());

    const auto service = test::ConnectService();
    ComPtr<IBusinessCollection> clients;
    const Bstr filter(u"");
    CallServer(service, &IDataService::GetClients, filter.Get(), clients.ReleaseAndGetAddressOf());
    long count = 0;
    CallServer(clients, &IBusinessCollection::GetCount, &count);
    EXPECT_EQ(count, 2);
}

}  // namespace
}  // namespace dralmoft
