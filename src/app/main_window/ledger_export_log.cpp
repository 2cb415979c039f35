// The export log in the window: "Εξαγωγές...", the history of the start folder's log.
// Exports and checks read and record it through their session.
#include "app/dialogs/error_message.h"
#include "app/dialogs/export_history_dialog.h"
#include "app/main_window/ledger_export_dialog.h"
#include "app/shared/shared_messages.h"
#include "export/windows/locale_date.h"
#include "win/string_table.h"
#include "win/wide_text.h"

namespace dralmoft {

std::u16string LedgerExportDialog::LogPath() const { return m_folder + std::u16string(ExportLog::kFileName); }

std::wstring LedgerExportDialog::PeriodText() const {
    return Part(UserDateText(m_dateFrom)) + L" - " + Part(UserDateText(m_dateTo));
}

void LedgerExportDialog::ShowHistory() {
    // Looking does not create a log where there is none.
    ExportLog log;
    if (ExportLog::Exists(LogPath())) {
        if (const LogStatus status = log.OpenExisting(LogPath()); !status.ok) {
            ShowErrorMessage(Handle(), IDS_LOG_UNREADABLE, {AsWide(LogPath()), LogStatusText(status)});
            return;
        }
    }
    ExportHistoryDialog history(Handle(), log, AsWide(LogPath()));
    history.DoModal();
}

}  // namespace dralmoft
