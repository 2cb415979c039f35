// The export log in the window: read before an export (and the user asked when it holds
// documents of the period), the batch recorded once the file is written, the check's
// changed and already exported documents, and "Εξαγωγές...", the history.
#include "app/error_message.h"
#include "app/export_history_dialog.h"
#include "app/ledger_export_dialog.h"
#include "app/log_question.h"
#include "app/shared_messages.h"
#include "export/export_recording.h"
#include "export/locale_date.h"
#include "export/logged_period.h"
#include "export/windows_author.h"
#include "win/string_table.h"
#include "win/wide_text.h"

namespace dralmoft {

std::u16string LedgerExportDialog::LogPath() const { return m_folder + std::u16string(ExportLog::kFileName); }

std::wstring LedgerExportDialog::PeriodText() const {
    return Part(FormatUserDate(m_dateFrom)) + L" - " + Part(FormatUserDate(m_dateTo));
}

bool LedgerExportDialog::PrepareLog(const std::wstring& typed, LogUse& use) {
    LoggedPeriod period;
    if (const LogStatus status = OpenLoggedPeriod(use.log, LogPath(), m_dateFrom, m_dateTo, true, period); !status.ok) {
        // The user may still export, knowingly, without the log's memory.
        return AskYesNo(Handle(), LoadMessage(IDS_LOG_OPEN_ASK, {AsWide(LogPath()), Part(status.text)}));
    }
    use.digests = std::move(period.digests);
    if (period.exports.documents == 0) return true;
    switch (AskAboutLoggedPeriod(Handle(), PeriodText(), typed, period.exports)) {
        case LoggedPeriodAnswer::All: return true;
        case LoggedPeriodAnswer::OnlyNew: use.onlyNew = true; return true;
        case LoggedPeriodAnswer::Cancel: break;
    }
    return false;
}

bool LedgerExportDialog::ReadLogForCheck(LogUse& use) {
    // A check only reads: a folder without a log keeps having none.
    if (!m_files.SizeOf(LogPath())) return true;
    LoggedPeriod period;
    if (const LogStatus status = OpenLoggedPeriod(use.log, LogPath(), m_dateFrom, m_dateTo, false, period);
        !status.ok) {
        ShowErrorMessage(Handle(), IDS_LOG_UNREADABLE, {AsWide(LogPath()), Part(status.text)});
        return false;
    }
    use.digests = std::move(period.digests);
    return true;
}

void LedgerExportDialog::RecordInLog(LogUse& use, const ExportRequest& request, const ExportOutcome& outcome,
                                     const ExportLogObserver& observer) {
    if (!use.log.IsOpen()) return;
    std::int64_t number = 0;
    const LogStatus status = RecordExport(use.log, request, outcome, observer, CurrentExportAuthor(), number);
    if (!status.ok)
        ShowErrorMessage(Handle(), IDS_LOG_NOT_WRITTEN, {TypedFilePath(), AsWide(LogPath()), Part(status.text)});
}

void LedgerExportDialog::ShowHistory() {
    // Looking does not create a log where there is none.
    ExportLog log;
    if (m_files.SizeOf(LogPath())) {
        if (const LogStatus status = log.Open(LogPath()); !status.ok) {
            ShowErrorMessage(Handle(), IDS_LOG_UNREADABLE, {AsWide(LogPath()), Part(status.text)});
            return;
        }
    }
    ExportHistoryDialog history(Handle(), log, AsWide(LogPath()));
    history.DoModal();
}

}  // namespace dralmoft
