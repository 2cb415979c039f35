// The account editor over the list: the context menu, the edit command, and the save
// of the kind shown that follows every edit command.

#include "app/account_dialog.h"
#include "app/ledger_export_dialog.h"
#include "win/unique_handle.h"

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
    // Confirmed, cancelled or not opened at all: the table of the list shown is saved.
    if (const std::optional<AccountKind> kind = ShownKind()) SaveAccounts(*kind);
}

void LedgerExportDialog::EditAccount() {
    const int first = m_list.NextSelected(-1);
    if (first < 0 || static_cast<std::size_t>(first) >= m_rows.size()) return;
    const auto& shown = m_rows[static_cast<std::size_t>(first)].texts;
    const std::optional<std::string> account = AccountDialog::Ask(Handle(), shown[0], shown[1], shown[2]);
    if (!account) return;

    const std::optional<AccountKind> kind = ShownKind();
    for (int row = first; row >= 0 && static_cast<std::size_t>(row) < m_rows.size(); row = m_list.NextSelected(row)) {
        SetRowAccount(row, *account);
        if (kind) SetAccount(*kind, row, *account);
    }
}

void LedgerExportDialog::SetAccount(AccountKind kind, int row, const std::string& account) {
    const ListRow& shown = m_rows[static_cast<std::size_t>(row)];
    switch (kind) {
        case AccountKind::VatRates: m_vatAccounts[shown.rate] = account; return;
        case AccountKind::Items: m_itemAccounts[shown.texts[1]] = account; return;  // by name, not by code
        case AccountKind::Clients:
        case AccountKind::Suppliers: Tables().Text(kind)[shown.texts[0]] = account; return;  // by tax id
    }
}

}  // namespace dralmoft
