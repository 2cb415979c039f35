// How the server's failures reach the program: status and error text, never a stale
// text, and a company file the server refuses.
#include <gtest/gtest.h>

#include "data/windows/collection_walk.h"
#include "data/windows/data_service.h"
#include "data/windows/server_objects.h"
#include "test_company.h"
#include "win/bstr.h"

namespace dralmoft {
namespace {

using Microsoft::WRL::ComPtr;
using test::Text1253;

ServerError Caught(const std::function<void()>& action) {
    try {
        action();
    } catch (const ServerError& error) {
        return error;
    }
    ADD_FAILURE() << "no ServerError";
    return ServerError(0);
}

class ServerFaultsTest : public testing::Test {
protected:
    test::ComApartment m_apartment;
    test::TempFolder m_folder;
};

TEST_F(ServerFaultsTest, FaultEntryCarriesStatusAndText) {
    test::OpenCompany(m_folder, R"({
      "clients": [ {"id": "C1", "taxId": "1"}, {"id": "C2", "taxId": "2"} ],
      "faults": [ {"operation": "ITrader.GetTaxId", "target": "C2", "hresult": "0x80040154",
                   "message": "Η βάση δεδομένων δεν απαντά"} ] })");
    const auto service = test::ConnectService();
    ComPtr<IBusinessCollection> clients;
    const Bstr filter(u"");
    CallServer(service, &IDataService::GetClients, filter.Get(), clients.ReleaseAndGetAddressOf());

    Bstr taxId;
    CallServer(ItemAs<ITrader>(clients, 1), &ITrader::GetTaxId, taxId.Put());
    EXPECT_EQ(ToText(taxId), "1");
    const ServerError error = Caught([&] { CallServer(ItemAs<ITrader>(clients, 2), &ITrader::GetTaxId, taxId.Put()); });
    EXPECT_EQ(error.StatusHex(), "0x80040154");
    EXPECT_EQ(error.Text(), Text1253(u"Η βάση δεδομένων δεν απαντά"));
}

TEST_F(ServerFaultsTest, CreationFaultsFollowTheClassPolicy) {
    test::OpenCompany(m_folder, R"({ "faults": [
      {"operation": "ObjectList.Create", "hresult": "0x8007000E", "message": "no list"},
      {"operation": "DataRoot.Create", "hresult": "0x80004005"} ] })");
    // DataRoot's creation failure reaches the user with its own status, not as the E_POINTER
    // of the empty reference that the next call would meet.
    ComPtr<IBusinessTable> root;
    EXPECT_EQ(Caught([&] { (void)ConnectDataService(root); }).Status(), static_cast<std::int32_t>(0x80004005));
    EXPECT_FALSE(root) << "the next use tries again";
    // ObjectList's too.
    const ServerError list = Caught([] { (void)CreateServerObject<IObjectList>(CLSID_ObjectList); });
    EXPECT_EQ(list.Status(), kStatusOutOfMemory);
    EXPECT_EQ(list.Text(), "no list");

    const auto table = CreateServerObject<IBusinessTable>(CLSID_VatRateTable);
    ComPtr<IBusinessCollection> rates;
    CallServer(table, &IBusinessTable::GetAll, rates.ReleaseAndGetAddressOf());
    EXPECT_EQ(CountOf(rates), 0);
}

TEST_F(ServerFaultsTest, FaultWithoutTargetHitsEveryCall) {
    test::OpenCompany(m_folder, R"({ "faults": [
      {"operation": "IDataService.GetItems", "hresult": "0x80004005", "message": "items"} ] })");
    const auto service = test::ConnectService();
    ComPtr<IBusinessCollection> list;
    const Bstr filter(u"");
    CallServer(service, &IDataService::GetClients, filter.Get(), list.ReleaseAndGetAddressOf());
    const ServerError error =
        Caught([&] { CallServer(service, &IDataService::GetItems, filter.Get(), list.ReleaseAndGetAddressOf()); });
    EXPECT_EQ(error.Text(), "items");
}

// An object that fails without offering error information.
class SilentCollection : public IBusinessCollection {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = iid == IID_IUnknown || iid == __uuidof(IBusinessCollection) ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetItem(long, IBusinessObject**) override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE GetCount(long*) override { return E_FAIL; }
};

TEST_F(ServerFaultsTest, StaleErrorObjectIsNeverReported) {
    ComPtr<ICreateErrorInfo> create;
    ASSERT_EQ(::CreateErrorInfo(&create), S_OK);
    create->SetDescription(const_cast<LPOLESTR>(L"stale"));
    ComPtr<IErrorInfo> stale;
    ASSERT_EQ(create.As(&stale), S_OK);
    ::SetErrorInfo(0, stale.Get());

    SilentCollection silent;
    const ComPtr<IBusinessCollection> collection(&silent);
    const ServerError error = Caught([&] { (void)CountOf(collection); });
    EXPECT_EQ(error.Status(), E_FAIL);
    EXPECT_EQ(error.Text(), "");
    ComPtr<IErrorInfo> left;
    EXPECT_EQ(::GetErrorInfo(0, &left), S_FALSE) << "the failure's error object was left behind";
}

TEST_F(ServerFaultsTest, InvalidCompanyFileIsRefusedWithPlaceAndFault) {
    const std::string path = Text1253(std::u16string(m_folder.Path().begin(), m_folder.Path().end()));
    const ServerError bad = Caught([&] { test::OpenCompany(m_folder, "{\n  \"clients\": [ {\"id\": \"C1\"} \n"); });
    EXPECT_EQ(bad.StatusHex(), "0x80004005");
    EXPECT_EQ(bad.Text(), "The company file \"" + path +
                              "\\company.json\" is not valid: line 3, column 1: "
                              "expected ',' or ']', found end of file");
}

TEST_F(ServerFaultsTest, MissingCompanyFileNamesTheFile) {
    const auto setup = CreateServerObject<IDatabaseSetup>(CLSID_DatabaseSetup);
    const Bstr name(u"Quilsparden");
    const std::u16string folder = std::u16string(m_folder.Path().begin(), m_folder.Path().end()) + u"\\";
    const Bstr location(folder);
    const Bstr empty(u"");
    const Bstr access(u"ACCESS");
    const ServerError missing = Caught([&] {
        CallServer(setup, &IDatabaseSetup::OpenDatabase, name.Get(), location.Get(), empty.Get(), empty.Get(),
                   access.Get());
    });
    EXPECT_EQ(missing.StatusHex(), "0x80070002");
    const std::string prefix = "Cannot read the company file \"" + Text1253(folder) + "company.json\": ";
    EXPECT_EQ(missing.Text().substr(0, prefix.size()), prefix);
    EXPECT_GT(missing.Text().size(), prefix.size()) << "the system's reason is missing";

    const Bstr sql(u"MSSQL");
    const ServerError refused = Caught([&] {
        CallServer(setup, &IDatabaseSetup::OpenDatabase, name.Get(), location.Get(), empty.Get(), empty.Get(),
                   sql.Get());
    });
    EXPECT_EQ(refused.Text(),
              "The demo server serves no SQL Server databases: the database \"Quilsparden\" of type "
              "MSSQL at \"" +
                  Text1253(folder) + "\" is refused.");
}

}  // namespace
}  // namespace dralmoft
