// The master-data list: the server's clients, suppliers, items or VAT rates with their
// accounts, and the search over it.
#include "app/ledger_export_dialog.h"

#include <commctrl.h>

#include <bit>
#include "data/bstr.h"
#include "data/collection_walk.h"
#include "data/number_format.h"
#include "data/server_objects.h"
#include "mapping/mapping_format.h"
#include "ui/window_text.h"

namespace dralmoft {
namespace {

using Microsoft::WRL::ComPtr;

constexpr int kKeyWidth = 90;
constexpr int kNameWidth = 200;
constexpr int kAccountWidth = 90;

template <class Interface, class Method>
std::string ReadText(const ComPtr<Interface>& object, Method method) {
    Bstr text;
    CallServer(object, method, text.Put());
    return ToText(text);
}

// A VAT row carries its exact rate, so that an edit stores the account under the rate
// the server gives and not under the row's two-decimal text.
LPARAM RateData(double rate) { return static_cast<LPARAM>(std::bit_cast<std::int64_t>(rate)); }
double RateOf(LPARAM data) { return std::bit_cast<double>(static_cast<std::int64_t>(data)); }
static_assert(sizeof(LPARAM) == sizeof(double));

// Redraws the list once at the end of a fill, not once per row.
class RedrawPause {
public:
    explicit RedrawPause(const ListView& list) : m_list(list) { m_list.SetRedraw(false); }
    ~RedrawPause() {
        m_list.SetRedraw(true);
        ::InvalidateRect(m_list.Handle(), nullptr, TRUE);
    }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

private:
    const ListView& m_list;
};

}  // namespace

double LedgerExportDialog::RowRate(int row) const { return RateOf(m_list.ItemData(row)); }

void LedgerExportDialog::ConnectDocumentQuery() {
    if (!m_server) m_server = CreateServerObject<IBusinessTable>(CLSID_DataRoot, CreationFailure::Ignore);
    ComPtr<IBusinessCollection> all;
    CallServer(m_server, &IBusinessTable::GetAll, all.ReleaseAndGetAddressOf());
    m_documentQuery = ItemAs<IDataService>(all, 1);
}

void LedgerExportDialog::RemoveAllColumns() {
    const int columns = m_list.ColumnCount();
    for (int i = 0; i < columns; ++i) m_list.DeleteColumn(0);
}

void LedgerExportDialog::PrepareList(UINT keyCaption, UINT nameCaption) {
    m_list.DeleteAllItems();
    RemoveAllColumns();
    m_list.InsertColumn(0, LoadString1253(keyCaption), kKeyWidth);
    m_list.InsertColumn(1, LoadString1253(nameCaption), kNameWidth);
    m_list.InsertColumn(2, LoadString1253(IDS_ACCOUNT), kAccountWidth);
}

void LedgerExportDialog::ShowPartnerList(bool clients) {
    AccountMap& accounts = clients ? m_clientAccounts : m_supplierAccounts;
    accounts.Clear();
    LoadPartnerAccounts(clients);
    PrepareList(IDS_TAX_ID, clients ? IDS_CLIENT : IDS_SUPPLIER);
    {
        const RedrawPause pause(m_list);
        ConnectDocumentQuery();
        ComPtr<IBusinessCollection> partners;
        const Bstr filter(u"");
        CallServer(m_documentQuery, clients ? &IDataService::GetClients : &IDataService::GetSuppliers, filter.Get(),
                   partners.ReleaseAndGetAddressOf());
        int row = 0;
        auto addRow = [&](const auto& partner) {
            const ComPtr<ITrader> trader(partner.Get());
            const std::string taxId = ReadText(trader, &ITrader::GetTaxId);
            if (TrimSpace(taxId).empty()) return;
            const std::string name = ReadText(trader, &ITrader::GetName);
            row = m_list.InsertItem(row, taxId) + 1;
            m_list.SetItemText(row - 1, 1, name);
            m_list.SetItemText(row - 1, 2, accounts[taxId]);
        };
        if (clients) ForEachOffering<IClient>(partners, addRow);
        else ForEachOffering<ISupplier>(partners, addRow);
    }
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
}

void LedgerExportDialog::ShowItemList() {
    m_itemAccounts.Clear();
    LoadItemAccounts();
    PrepareList(IDS_CODE, IDS_DESCRIPTION);
    {
        const RedrawPause pause(m_list);
        ConnectDocumentQuery();
        ComPtr<IBusinessCollection> items;
        const Bstr filter(u"");
        CallServer(m_documentQuery, &IDataService::GetItems, filter.Get(), items.ReleaseAndGetAddressOf());
        int row = 0;
        ForEachOffering<IItem>(items, [&](const ComPtr<IItem>& item) {
            const std::string code = ReadText(item, &IItem::GetCode);
            const std::string name = ReadText(item, &IItem::GetName);
            row = m_list.InsertItem(row, code) + 1;
            m_list.SetItemText(row - 1, 1, name);
            m_list.SetItemText(row - 1, 2, m_itemAccounts[name]);
        });
    }
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
}

void LedgerExportDialog::ShowVatRateList() {
    SaveVatAccounts();
    m_vatAccounts.Clear();
    LoadVatAccounts();
    PrepareList(IDS_CODE, IDS_DESCRIPTION);
    {
        const RedrawPause pause(m_list);
        ConnectDocumentQuery();
        const auto table = CreateServerObject<IBusinessTable>(CLSID_VatRateTable, CreationFailure::Raise);
        ComPtr<IBusinessCollection> rates;
        CallServer(table, &IBusinessTable::GetAll, rates.ReleaseAndGetAddressOf());
        int row = 0;
        ForEachOffering<IVatRate>(rates, [&](const ComPtr<IVatRate>& vatRate) {
            double rate = 0.0;
            CallServer(vatRate, &IVatRate::GetRate, &rate);
            const std::string text = FormatFixed(rate, 2);
            row = m_list.InsertItem(row, text, RateData(rate)) + 1;
            m_list.SetItemText(row - 1, 1, text);
            m_list.SetItemText(row - 1, 2, m_vatAccounts[rate]);
        });
    }
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
}

void LedgerExportDialog::OnSearchChange() {
    const std::string text = m_searchEdit.Text();
    const int selected = m_list.NextSelected(-1);
    if (selected >= 0) m_list.SetSelected(selected, false);
    const int rows = m_list.ItemCount();
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < 3; ++column) {
            if (m_list.GetItemText(row, column).find(text) == std::string::npos) continue;
            m_list.SetSelected(row, true);
            m_list.EnsureVisible(row);
            return;
        }
    }
}

}  // namespace dralmoft
