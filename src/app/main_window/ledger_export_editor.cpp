// The account editor over the list: the context menu, the edit command, and the save
// of the kind shown that follows every edit command.

#include <cstdlib>

#include "app/dialogs/account_dialog.h"
#include "app/dialogs/error_message.h"
#include "app/main_window/ledger_export_dialog.h"
#include "app/shared/shared_messages.h"
#include "mapping/mapping_format.h"
#include "win/string_table.h"
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
    // Confirmed, cancelled or not opened at all: the table of the list shown is saved,
    // which writes nothing unless the editor set an account.
    if (const std::optional<AccountKind> kind = ShownKind()) SaveAccounts(*kind);
}

void LedgerExportDialog::EditAccount() {
    const int first = m_list.NextSelected(-1);
    if (first < 0 || static_cast<std::size_t>(first) >= m_rows.Size()) return;
    const auto& shown = m_rows[static_cast<std::size_t>(first)].texts;
    const std::optional<std::string> account = AccountDialog::Ask(Handle(), shown[0], shown[1], shown[2]);
    const std::optional<AccountKind> kind = ShownKind();
    if (!account || !kind) return;

    std::vector<int> rows;
    std::vector<std::string> keys;
    for (int row = first; row >= 0 && static_cast<std::size_t>(row) < m_rows.Size(); row = m_list.NextSelected(row)) {
        rows.push_back(row);
        keys.push_back(RowKey(*kind, row));
    }
    // What the file cannot keep is refused as a whole, before anything changes.
    if (const std::wstring refused = WhyUnstorable(keys, *account); !refused.empty()) {
        ShowErrorMessage(Handle(), IDS_ACCOUNT_NOT_STORABLE, {AccountFileText(*kind), refused});
        return;
    }
    for (const int row : rows) SetAccount(*kind, row, *account);
}

std::string LedgerExportDialog::RowKey(AccountKind kind, int row) const {
    const ListRows::Row& shown = m_rows[static_cast<std::size_t>(row)];
    switch (kind) {
        case AccountKind::Items: return shown.texts[1];  // items are kept by name, not by code
        case AccountKind::Clients:
        case AccountKind::Suppliers: return shown.texts[0];  // by tax id
        case AccountKind::VatRates: break;
    }
    return {};  // a rate: its key is no text
}

std::wstring LedgerExportDialog::WhyUnstorable(const std::vector<std::string>& keys, const std::string& account) const {
    std::wstring reasons;
    const auto add = [&](UINT reason, std::string_view key) {
        if (!reasons.empty()) reasons.append(L"\n");
        reasons.append(L"- ").append(LoadMessage(reason, {Part(key)}));
    };
    for (const std::string& key : keys) {
        switch (CheckStorable(key, "")) {
            case Unstorable::KeyHoldsSemicolon: add(IDS_UNSTORABLE_SEMICOLON, key); break;
            case Unstorable::KeyBeginsWithBlank: add(IDS_UNSTORABLE_LEADING_BLANK, key); break;
            case Unstorable::KeyHoldsLineBreak: add(IDS_UNSTORABLE_KEY_LINE_BREAK, key); break;
            default: break;
        }
    }
    switch (CheckStorable("", account)) {
        case Unstorable::AccountEndsWithBlank: add(IDS_UNSTORABLE_TRAILING_BLANK, account); break;
        case Unstorable::AccountHoldsLineBreak: add(IDS_UNSTORABLE_ACCOUNT_LINE_BREAK, account); break;
        default: break;
    }
    return reasons;
}

std::string LedgerExportDialog::EditAccountOf(HWND owner, AccountKind kind, const std::string& key) {
    // A VAT key is a rate as its shortest text: it reads back as the very rate.
    const double rate = kind == AccountKind::VatRates ? std::strtod(key.c_str(), nullptr) : 0.0;
    const auto current = [&] { return kind == AccountKind::VatRates ? m_vatAccounts[rate] : Tables().Text(kind)[key]; };
    // The editor shows the row's texts when the list shows the key, else the key alone.
    std::string first = kind == AccountKind::Items ? std::string() : key;
    std::string name = kind == AccountKind::Items ? key : std::string();
    for (std::size_t row = 0; ShownKind() == kind && row < m_rows.Size(); ++row) {
        const bool same =
            kind == AccountKind::VatRates ? m_rows[row].rate == rate : RowKey(kind, static_cast<int>(row)) == key;
        if (!same) continue;
        first = m_rows[row].texts[0];
        name = m_rows[row].texts[1];
        break;
    }
    const std::optional<std::string> account = AccountDialog::Ask(owner, first, name, current());
    if (!account) return current();
    const std::vector<std::string> keys = kind == AccountKind::VatRates ? std::vector<std::string>() : std::vector{key};
    if (const std::wstring refused = WhyUnstorable(keys, *account); !refused.empty()) {
        ShowErrorMessage(owner, IDS_ACCOUNT_NOT_STORABLE, {AccountFileText(kind), refused});
        return current();
    }
    AccountChanges& changes = StateOf(kind).changes;
    if (kind == AccountKind::VatRates) changes.Set(rate, *account);
    else changes.Set(key, *account);
    SaveAccounts(kind);
    return current();
}

AcceptResult LedgerExportDialog::StoreProposals(const std::vector<ProposalLine>& rows, const CheckReport& report) {
    const AcceptResult result = AcceptProposals(rows, report, m_mapFile, Tables());
    // The tables hold the files as saved (or, where a save failed, as they are); the list
    // shows them.
    if (const std::optional<AccountKind> shown = ShownKind()) RefreshRowAccounts(*shown);
    return result;
}

void LedgerExportDialog::SetAccount(AccountKind kind, int row, const std::string& account) {
    SetRowAccount(row, account);
    AccountChanges& changes = StateOf(kind).changes;
    if (kind == AccountKind::VatRates) changes.Set(m_rows[static_cast<std::size_t>(row)].rate, account);
    else changes.Set(RowKey(kind, row), account);
}

void LedgerExportDialog::RefreshRowAccounts(AccountKind kind) {
    for (std::size_t row = 0; row < m_rows.Size(); ++row) {
        m_rows.SetAccount(row, kind == AccountKind::VatRates
                                   ? m_vatAccounts[m_rows[row].rate]
                                   : Tables().Text(kind)[RowKey(kind, static_cast<int>(row))]);
    }
    if (!m_rows.Empty()) m_list.RedrawItems(0, static_cast<int>(m_rows.Size()) - 1);
}

}  // namespace dralmoft
