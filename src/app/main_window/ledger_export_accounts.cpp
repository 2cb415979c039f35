// The window's account files: loaded at start-up and with each list, saved after each
// edit by applying the window's changes to the file as it is then. A file that cannot be
// read or written is reported by name; nothing earlier is lost.
#include <algorithm>
#include <iterator>

#include "app/dialogs/error_message.h"
#include "app/main_window/ledger_export_dialog.h"
#include "app/shared/shared_messages.h"
#include "base/code_page.h"
#include "win/string_table.h"
#include "win/wide_text.h"

namespace dralmoft {
namespace {

AccountKind PartnerKind(bool clients) { return clients ? AccountKind::Clients : AccountKind::Suppliers; }

}  // namespace

// Every kind has its slot.
const LedgerExportDialog::AccountFileSlot LedgerExportDialog::kAccountFileSlots[4] = {
    {AccountKind::Clients, &LedgerExportDialog::m_mapFile, &LedgerExportDialog::m_mapFileName},
    {AccountKind::Suppliers, &LedgerExportDialog::m_mapFile, &LedgerExportDialog::m_mapFileName},
    {AccountKind::Items, &LedgerExportDialog::m_itemFile, &LedgerExportDialog::m_mapFileName},
    {AccountKind::VatRates, &LedgerExportDialog::m_vatFile, &LedgerExportDialog::m_vatFileName},
};

const LedgerExportDialog::AccountFileSlot& LedgerExportDialog::SlotOf(AccountKind kind) {
    return *std::find_if(std::begin(kAccountFileSlots), std::end(kAccountFileSlots),
                         [kind](const AccountFileSlot& slot) { return slot.kind == kind; });
}

AccountTables LedgerExportDialog::Tables() {
    return {m_clientAccounts, m_supplierAccounts, m_itemAccounts, m_vatAccounts};
}

LedgerExportDialog::AccountState& LedgerExportDialog::StateOf(AccountKind kind) {
    return m_accountState[static_cast<std::size_t>(kind)];
}

std::wstring LedgerExportDialog::AccountFileText(AccountKind kind) const {
    return AsWide(m_folder + std::u16string(AccountFileName(kind)));
}

void LedgerExportDialog::ReportLoad(AccountKind kind, const AccountLoad& load) {
    if (!load.status.ok) {
        ShowErrorMessage(Handle(), IDS_ACCOUNT_FILE_UNREADABLE, {AccountFileText(kind), Part(load.status.text)});
        return;
    }
    // A file in another encoding is told of once: every list reloads it.
    AccountState& state = StateOf(kind);
    if (load.encoding == TextEncoding::Windows1253 || state.encodingTold) return;
    state.encodingTold = true;
    const UINT encoding = load.encoding == TextEncoding::Utf8 ? IDS_ENCODING_UTF8 : IDS_ENCODING_UTF16;
    ShowInformation(Handle(),
                    LoadMessage(IDS_ACCOUNT_FILE_ENCODING, {AccountFileText(kind), LoadWideString(encoding)}));
}

void LedgerExportDialog::ReportSave(AccountKind kind, const FileStatus& status) {
    if (status.ok) return;
    std::wstring text = LoadMessage(IDS_ACCOUNT_FILE_NOT_SAVED, {AccountFileText(kind), Part(status.text)});
    if (const std::wstring helper = HelperFileText(status); !helper.empty()) text.append(L"\n\n").append(helper);
    ShowErrorText(Handle(), text);
}

AccountLoad LedgerExportDialog::LoadAccounts(AccountKind kind, bool report) {
    const AccountFileSlot& slot = SlotOf(kind);
    this->*slot.fileName = Utf16ToCp1253(AccountFileName(kind));
    const AccountLoad load = (this->*slot.file).Load(kind, Tables());
    AccountState& state = StateOf(kind);
    state.changes.Clear();
    state.unreadable = !load.status.ok;
    if (report) ReportLoad(kind, load);
    return load;
}

void LedgerExportDialog::SaveAccounts(AccountKind kind) {
    const AccountFileSlot& slot = SlotOf(kind);
    this->*slot.fileName = Utf16ToCp1253(AccountFileName(kind));
    AccountState& state = StateOf(kind);
    if (state.changes.Empty()) return;  // nothing of this window's: the file stays as it is
    const FileStatus status = (this->*slot.file).Save(kind, Tables(), state.changes);
    state.changes.Clear();
    // Saved, the table holds the file as written (other windows' accounts included);
    // not saved, it holds the file as it is, without this window's edit.
    if (status.ok) state.unreadable = false;
    if (ShownKind() == kind) RefreshRowAccounts(kind);
    ReportSave(kind, status);
}

void LedgerExportDialog::LoadItemAccounts() { (void)LoadAccounts(AccountKind::Items); }
void LedgerExportDialog::LoadVatAccounts() { (void)LoadAccounts(AccountKind::VatRates); }
void LedgerExportDialog::LoadPartnerAccounts(bool clients) { (void)LoadAccounts(PartnerKind(clients)); }
void LedgerExportDialog::SaveItemAccounts() { SaveAccounts(AccountKind::Items); }
void LedgerExportDialog::SaveVatAccounts() { SaveAccounts(AccountKind::VatRates); }
void LedgerExportDialog::SavePartnerAccounts(bool clients) { SaveAccounts(PartnerKind(clients)); }

bool LedgerExportDialog::AccountsReadable() {
    for (const AccountKind kind : kAccountLoadOrder) {
        if (!StateOf(kind).unreadable) continue;
        // The file may be free again: its table is loaded afresh before anything is refused.
        if (kind == AccountKind::VatRates) m_vatAccounts.Clear();
        else Tables().Text(kind).Clear();
        const AccountLoad load = LoadAccounts(kind, false);
        if (ShownKind() == kind) RefreshRowAccounts(kind);
        if (!load.status.ok) {
            ShowErrorMessage(Handle(), IDS_EXPORT_ACCOUNTS_UNREADABLE, {AccountFileText(kind), Part(load.status.text)});
            return false;
        }
    }
    return true;
}

}  // namespace dralmoft
