// dralmoft-clients: points the server at the ERP's databases as the window does at
// start-up, then lists the clients it serves. A check that the server and the
// registry are in order before the window is opened.
#include <windows.h>
#include <objbase.h>

#include <string>

#include "app/console_text.h"
#include "data/bstr.h"
#include "data/collection_walk.h"
#include "data/connection_setup.h"
#include "data/server_objects.h"

using namespace dralmoft;
using Microsoft::WRL::ComPtr;

namespace {

std::string Read(const ComPtr<IClient>& client, HRESULT (STDMETHODCALLTYPE ITrader::*method)(BSTR*)) {
    Bstr text;
    CallServer(ComPtr<ITrader>(client.Get()), method, text.Put());
    return ToText(text);
}

int ListClients() {
    RegisterDatabases(ReadConnectionSettings());
    const auto root = CreateServerObject<IBusinessTable>(CLSID_DataRoot, CreationFailure::Ignore);
    ComPtr<IBusinessCollection> all;
    CallServer(root, &IBusinessTable::GetAll, all.ReleaseAndGetAddressOf());
    const auto service = ItemAs<IDataService>(all, 1);
    ComPtr<IBusinessCollection> clients;
    const Bstr filter(u"");
    CallServer(service, &IDataService::GetClients, filter.Get(), clients.ReleaseAndGetAddressOf());

    long shown = 0;
    ForEachOffering<IClient>(clients, [&](const ComPtr<IClient>& client) {
        const std::string taxId = Read(client, &ITrader::GetTaxId);
        Bstr name;
        CallServer(client, &IBusinessObject::GetName, name.Put());
        WriteConsoleText1253(STD_OUTPUT_HANDLE, taxId + "\t" + ToText(name) + "\r\n");
        ++shown;
    });
    WriteConsoleText1253(STD_OUTPUT_HANDLE, std::to_string(shown) + " clients\r\n");
    return 0;
}

}  // namespace

int main() {
    ::CoInitialize(nullptr);
    int result = 1;
    try {
        result = ListClients();
    } catch (const ServerError& error) {
        WriteConsoleText1253(STD_ERROR_HANDLE, "server error " + error.StatusHex() + ": " + error.Text() + "\r\n");
    }
    ::CoUninitialize();
    return result;
}
