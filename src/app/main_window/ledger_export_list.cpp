// The master-data list: the server's clients, suppliers, items or VAT rates with their
// accounts, and the search over it.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "app/main_window/ledger_export_dialog.h"
#include "base/number_format.h"
#include "data/windows/collection_walk.h"
#include "data/windows/data_service.h"
#include "data/windows/server_objects.h"
#include "data/windows/server_text.h"
#include "mapping/mapping_format.h"
#include "win/bstr.h"
#include "win/string_table.h"
#include "win/wide_text.h"

namespace dralmoft {
namespace {

using Microsoft::WRL::ComPtr;

constexpr int kKeyWidth = 90;
constexpr int kNameWidth = 200;
constexpr int kAccountWidth = 90;

// Shows the rows read so far when a fill ends, also when the server failed part way.
class ShowRowsAtEnd {
public:
    ShowRowsAtEnd(const ListView& list, const ListRows& rows) : m_list(list), m_rows(rows) {}
    ~ShowRowsAtEnd() { m_list.SetItemCount(static_cast<int>(m_rows.Size())); }
    ShowRowsAtEnd(const ShowRowsAtEnd&) = delete;
    ShowRowsAtEnd& operator=(const ShowRowsAtEnd&) = delete;

private:
    const ListView& m_list;
    const ListRows& m_rows;
};

}  // namespace

std::optional<AccountKind> LedgerExportDialog::ShownKind() const {
    // The radio buttons are the only record of it: each list command checks its own.
    if (m_clientsRadio.GetCheck() == BST_CHECKED) return AccountKind::Clients;
    if (m_suppliersRadio.GetCheck() == BST_CHECKED) return AccountKind::Suppliers;
    if (m_itemsRadio.GetCheck() == BST_CHECKED) return AccountKind::Items;
    if (m_vatRadio.GetCheck() == BST_CHECKED) return AccountKind::VatRates;
    return std::nullopt;
}

void LedgerExportDialog::ConnectDocumentQuery() { m_documentQuery = ConnectDataService(m_server); }

void LedgerExportDialog::AddRow(const std::string& key, const std::string& name, const std::string& account,
                                double rate) {
    m_rows.Add(key, name, account, rate);
}

void LedgerExportDialog::SetRowAccount(int row, const std::string& account) {
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.Size()) return;
    m_rows.SetAccount(static_cast<std::size_t>(row), account);
    m_list.RedrawItems(row, row);
}

void LedgerExportDialog::GiveRowText(NMLVDISPINFOW& request) const {
    if (!(request.item.mask & LVIF_TEXT)) return;
    const auto row = static_cast<std::size_t>(request.item.iItem);
    const auto column = static_cast<std::size_t>(request.item.iSubItem);
    AnswerTextRequest(request, row < m_rows.Size() && column < 3 ? ToWide(m_rows[row].texts[column]) : std::wstring());
}

bool LedgerExportDialog::OnNotify(NMHDR& header, LRESULT& result) {
    if (header.idFrom != IDC_LIST) return false;
    if (header.code == LVN_GETDISPINFOW) {
        GiveRowText(reinterpret_cast<NMLVDISPINFOW&>(header));
        return true;
    }
    if (header.code == LVN_ODFINDITEMW) {
        result = FindRow(reinterpret_cast<const NMLVFINDITEMW&>(header));
        return true;
    }
    // Emptying the list: no notification per row is wanted.
    if (header.code != LVN_DELETEALLITEMS) return false;
    result = TRUE;
    return true;
}

LRESULT LedgerExportDialog::FindRow(const NMLVFINDITEMW& request) const {
    // The list's own type-ahead: the first column from iStart on, without regard to case
    // (as the list compares), the beginning of the text or all of it; not the search box's
    // case-sensitive search.
    const LVFINDINFOW& find = request.lvfi;
    const auto rows = static_cast<int>(m_rows.Size());
    if (!(find.flags & (LVFI_STRING | LVFI_PARTIAL)) || find.psz == nullptr || rows == 0) return -1;
    const std::wstring_view wanted(find.psz);
    const bool partial = (find.flags & LVFI_PARTIAL) != 0;
    const bool wrap = (find.flags & LVFI_WRAP) != 0;
    if (request.iStart >= rows && !wrap) return -1;
    const int start = request.iStart >= 0 && request.iStart < rows ? request.iStart : 0;
    const int last = wrap ? start + rows : rows;
    for (int i = start; i < last; ++i) {
        const int row = i % rows;
        std::wstring text = ToWide(m_rows[static_cast<std::size_t>(row)].texts[0]);
        if (partial && text.size() > wanted.size()) text.resize(wanted.size());
        if (::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text.data(), static_cast<int>(text.size()),
                             wanted.data(), static_cast<int>(wanted.size())) == CSTR_EQUAL)
            return row;
    }
    return -1;
}

void LedgerExportDialog::RemoveAllColumns() {
    const int columns = m_list.ColumnCount();
    for (int i = 0; i < columns; ++i) m_list.DeleteColumn(0);
}

void LedgerExportDialog::PrepareList(UINT keyCaption, UINT nameCaption) {
    m_list.DeleteAllItems();
    m_rows.Clear();
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
        const ShowRowsAtEnd show(m_list, m_rows);
        ConnectDocumentQuery();
        ComPtr<IBusinessCollection> partners;
        const Bstr filter(u"");
        CallServer(m_documentQuery, clients ? &IDataService::GetClients : &IDataService::GetSuppliers, filter.Get(),
                   partners.ReleaseAndGetAddressOf());
        auto addRow = [&](const auto& partner) {
            const ComPtr<ITrader> trader(partner.Get());
            const std::string taxId = ReadServerText(trader, &ITrader::GetTaxId);
            if (TrimSpace(taxId).empty()) return;
            const std::string name = ReadServerText(trader, &ITrader::GetName);
            AddRow(taxId, name, accounts[taxId]);
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
        const ShowRowsAtEnd show(m_list, m_rows);
        ConnectDocumentQuery();
        ComPtr<IBusinessCollection> items;
        const Bstr filter(u"");
        CallServer(m_documentQuery, &IDataService::GetItems, filter.Get(), items.ReleaseAndGetAddressOf());
        ForEachOffering<IItem>(items, [&](const ComPtr<IItem>& item) {
            const std::string code = ReadServerText(item, &IItem::GetCode);
            const std::string name = ReadServerText(item, &IItem::GetName);
            AddRow(code, name, m_itemAccounts[name]);
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
        const ShowRowsAtEnd show(m_list, m_rows);
        // The rates come from a table of their own and need no data service. It is
        // connected all the same, as at the start of every fill: a server that cannot give
        // it fails this list as it fails the others, and m_server is created here too.
        ConnectDocumentQuery();
        const auto table = CreateServerObject<IBusinessTable>(CLSID_VatRateTable);
        ComPtr<IBusinessCollection> rates;
        CallServer(table, &IBusinessTable::GetAll, rates.ReleaseAndGetAddressOf());
        ForEachOffering<IVatRate>(rates, [&](const ComPtr<IVatRate>& vatRate) {
            double rate = 0.0;
            CallServer(vatRate, &IVatRate::GetRate, &rate);
            const std::string text = FormatFixed(rate, 2);
            AddRow(text, text, m_vatAccounts[rate], rate);
        });
    }
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
}

void LedgerExportDialog::OnSearchChange() {
    const std::string text = m_searchEdit.Text();
    const int selected = m_list.NextSelected(-1);
    if (selected >= 0) m_list.SetSelected(selected, false);
    if (const std::optional<std::size_t> row = m_rows.Find(text)) {
        m_list.SetSelected(static_cast<int>(*row), true);
        m_list.EnsureVisible(static_cast<int>(*row));
    }
}

}  // namespace dralmoft
