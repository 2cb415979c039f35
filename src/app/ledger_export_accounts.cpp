// The window's account files: loaded at start-up and with each list, saved after each
// edit. A file that cannot be read or written is reported by name; nothing earlier is lost.
#include <algorithm>
#include <iterator>

#include "app/error_message.h"
#include "app/ledger_export_dialog.h"
#include "data/code_page.h"
#include "win/wide_text.h"

namespace dralmoft {
namespace {

// The file as the user finds it: its full path in the current directory.
std::string FullPath(std::u16string_view name) {
    const std::wstring wide = AsWide(name);
    wchar_t buffer[MAX_PATH * 4] = {};
    const DWORD length = ::GetFullPathNameW(wide.c_str(), static_cast<DWORD>(std::size(buffer)), buffer, nullptr);
    if (length == 0 || length >= std::size(buffer)) return FromWide(wide);
    return FromWide(buffer);
}

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

void LedgerExportDialog::ReportLoad(AccountKind kind, const FileStatus& status) {
    if (!status.ok)
        ShowErrorMessage(Handle(), IDS_ACCOUNT_FILE_UNREADABLE, {FullPath(AccountFileName(kind)), status.text});
}

void LedgerExportDialog::ReportSave(AccountKind kind, const FileStatus& status) {
    if (!status.ok)
        ShowErrorMessage(Handle(), IDS_ACCOUNT_FILE_NOT_SAVED, {FullPath(AccountFileName(kind)), status.text});
}

void LedgerExportDialog::LoadAccounts(AccountKind kind) {
    const AccountFileSlot& slot = SlotOf(kind);
    this->*slot.fileName = Utf16ToCp1253(AccountFileName(kind));
    ReportLoad(kind, (this->*slot.file).Load(kind, Tables()));
}

void LedgerExportDialog::SaveAccounts(AccountKind kind) {
    const AccountFileSlot& slot = SlotOf(kind);
    this->*slot.fileName = Utf16ToCp1253(AccountFileName(kind));
    ReportSave(kind, (this->*slot.file).Save(kind, Tables()));
}

void LedgerExportDialog::LoadItemAccounts() { LoadAccounts(AccountKind::Items); }
void LedgerExportDialog::LoadVatAccounts() { LoadAccounts(AccountKind::VatRates); }
void LedgerExportDialog::LoadPartnerAccounts(bool clients) { LoadAccounts(PartnerKind(clients)); }
void LedgerExportDialog::SaveItemAccounts() { SaveAccounts(AccountKind::Items); }
void LedgerExportDialog::SaveVatAccounts() { SaveAccounts(AccountKind::VatRates); }
void LedgerExportDialog::SavePartnerAccounts(bool clients) { SaveAccounts(PartnerKind(clients)); }

}  // namespace dralmoft
