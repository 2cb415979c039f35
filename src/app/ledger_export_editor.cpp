// The account editor over the list: the context menu, the edit command, and the save
// of the kind shown that follows every edit command.

#include "app/ledger_export_dialog.h"
#include "mapping/account_dialog.h"
#include "mapping/mapping_format.h"
#include "ui/unique_handle.h"

namespace dralmoft {

bool LedgerExportDialog::OnContextMenu(HWND window, POINT screen) {
    // Anywhere but the list, nothing: the message is still taken, so no other menu opens.
    if (window != m_list.Handle()) return true;
    if (screen.x == -1 && screen.y == -1) {
        // From the keyboard: at the first selected row, or the list's top-left corner.
        const int row = m_list.NextSelected(-1);
        RECT place{};
        if (row >= 0) place = m_list.ItemRect(row);
        screen = {place.left, place.bottom};
        if (row < 0) screen = {0, 0};
        ::ClientToScreen(m_list.Handle(), &screen);
    }
    const UniqueMenu menu(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_LIST_MENU)));
    const HMENU popup = ::GetSubMenu(menu.Get(), 0);
    if (popup != nullptr)
        ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, Handle(), nullptr);
    return true;
}

void LedgerExportDialog::OnEditAccount() {
    EditAccount();
    if (m_itemsRadio.GetCheck() == BST_CHECKED) SaveItemAccounts();
    if (m_vatRadio.GetCheck() == BST_CHECKED) SaveVatAccounts();
    if (m_clientsRadio.GetCheck() == BST_CHECKED || m_suppliersRadio.GetCheck() == BST_CHECKED)
        SavePartnerAccounts(m_clientsRadio.GetCheck() == BST_CHECKED);
}

void LedgerExportDialog::EditAccount() {
    const int first = m_list.NextSelected(-1);
    if (first < 0 || static_cast<std::size_t>(first) >= m_rows.size()) return;
    const auto& shown = m_rows[static_cast<std::size_t>(first)].texts;
    const std::optional<std::string> account = AccountDialog::Ask(Handle(), shown[0], shown[1], shown[2]);
    if (!account) return;

    for (int row = first; row >= 0 && static_cast<std::size_t>(row) < m_rows.size(); row = m_list.NextSelected(row)) {
        SetRowAccount(row, *account);
        const auto& texts = m_rows[static_cast<std::size_t>(row)].texts;
        if (m_clientsRadio.GetCheck() == BST_CHECKED) m_clientAccounts[texts[0]] = *account;
        else if (m_suppliersRadio.GetCheck() == BST_CHECKED) m_supplierAccounts[texts[0]] = *account;
        else if (m_itemsRadio.GetCheck() == BST_CHECKED) m_itemAccounts[texts[1]] = *account;
        else if (m_vatRadio.GetCheck() == BST_CHECKED) m_vatAccounts[RowRate(row)] = *account;
    }
}

}  // namespace dralmoft
