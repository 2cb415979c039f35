// The window's account files: loaded at start-up and with each list, saved after each
// edit. A file that cannot be read or written is reported by name; nothing earlier is lost.
#include "app/error_message.h"
#include "app/ledger_export_dialog.h"
#include "ui/window_text.h"

namespace dralmoft {
namespace {

// The file as the user finds it: its full path in the current directory.
std::string FullPath(const std::string& name) {
    const std::wstring wide = ToWide(name);
    wchar_t buffer[MAX_PATH * 4] = {};
    const DWORD length = ::GetFullPathNameW(wide.c_str(), static_cast<DWORD>(std::size(buffer)), buffer, nullptr);
    if (length == 0 || length >= std::size(buffer)) return name;
    return FromWide(buffer);
}

}  // namespace

void LedgerExportDialog::ReportLoad(const std::string& name, const FileStatus& status) {
    if (!status.ok) ShowErrorMessage(Handle(), IDS_ACCOUNT_FILE_UNREADABLE, {FullPath(name), status.text});
}

void LedgerExportDialog::ReportSave(const std::string& name, const FileStatus& status) {
    if (!status.ok) ShowErrorMessage(Handle(), IDS_ACCOUNT_FILE_NOT_SAVED, {FullPath(name), status.text});
}

void LedgerExportDialog::LoadItemAccounts() { ReportLoad(kItemFile, m_itemFile.Load(kItemFile, m_itemAccounts)); }

void LedgerExportDialog::LoadVatAccounts() {
    m_vatFileName = kVatFile;
    ReportLoad(m_vatFileName, m_vatFile.Load(m_vatFileName, m_vatAccounts));
}

void LedgerExportDialog::LoadPartnerAccounts(bool clients) {
    m_mapFileName = clients ? kClientFile : kSupplierFile;
    ReportLoad(m_mapFileName, m_mapFile.Load(m_mapFileName, clients ? m_clientAccounts : m_supplierAccounts));
}

void LedgerExportDialog::SaveItemAccounts() { ReportSave(kItemFile, m_itemFile.Save(kItemFile, m_itemAccounts)); }

void LedgerExportDialog::SaveVatAccounts() {
    m_vatFileName = kVatFile;
    ReportSave(m_vatFileName, m_vatFile.Save(m_vatFileName, m_vatAccounts));
}

void LedgerExportDialog::SavePartnerAccounts(bool clients) {
    m_mapFileName = clients ? kClientFile : kSupplierFile;
    ReportSave(m_mapFileName, m_mapFile.Save(m_mapFileName, clients ? m_clientAccounts : m_supplierAccounts));
}

}  // namespace dralmoft
