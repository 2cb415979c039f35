// "Άρθρα" and "Έλεγχος...": the export of the period to the output file, and the same run
// without a file. The file is written whole or not at all; any failure is told, with the
// document it happened on.
#include <cmath>

#include "app/dialogs/check_report_dialog.h"
#include "app/dialogs/error_message.h"
#include "app/main_window/bar_progress.h"
#include "app/main_window/export_questions.h"
#include "app/main_window/ledger_export_dialog.h"
#include "app/shared/shared_messages.h"
#include "export/windows/com_document_source.h"
#include "export/windows/locale_date.h"
#include "log/windows/export_author.h"
#include "win/string_table.h"
#include "win/wide_text.h"

namespace dralmoft {
namespace {

// Midnight of the day of an OLE date (the fraction is the time, also before 1900).
double DayOf(double date) { return std::trunc(date); }

}  // namespace

bool LedgerExportDialog::TakePeriod() {
    m_dateFrom = DayOf(m_dateFrom);
    m_dateTo = DayOf(m_dateTo);
    if (m_dateFrom <= m_dateTo) return true;
    ShowErrorMessage(Handle(), IDS_PERIOD_REVERSED, {Part(UserDateText(m_dateFrom)), Part(UserDateText(m_dateTo))});
    return false;
}

void LedgerExportDialog::RunExport() {
    UpdateData(true);
    if (m_filePath.empty() || !TakePeriod()) return;
    const std::wstring typed = TypedFilePath();
    if (!AccountsReadable() || !TargetIsFreeToWrite(AsUtf16(typed))) return;
    const SessionResult result = RunSession(false);
    m_separator = result.outcome.separator;
    if (result.end == SessionResult::End::Stopped) return;
    if (result.kept == SessionResult::Kept::NothingNew)
        ShowInformation(Handle(), LoadMessage(IDS_NOTHING_NEW, {typed}));
    if (result.kept == SessionResult::Kept::ChangedMeanwhile)
        ShowErrorText(Handle(), ChangedMeanwhileText(*result.changedMeanwhile, typed));
    if (const std::optional<std::wstring> failure = ExportFailureText(result.outcome, typed))
        ShowErrorText(Handle(), *failure);
    // The file is in place (or not) and its batch pending: the next export settles it.
    if (result.LeftPending()) {
        const bool written = result.outcome.state == ExportOutcome::State::Written;
        ShowErrorMessage(Handle(), written ? IDS_LEFT_PENDING : IDS_LEFT_PENDING_NOT_WRITTEN,
                         {typed, AsWide(LogPath()), LogStatusText(result.logStatus), std::to_wstring(result.batch)});
    }
}

void LedgerExportDialog::RunCheck() {
    UpdateData(true);
    if (!TakePeriod() || !AccountsReadable()) return;
    // Accounts stored from the report's proposals: the check runs again over them and its
    // report shows what is left.
    for (bool again = true; again;) {
        const SessionResult result = RunSession(true);
        if (result.end == SessionResult::End::Stopped) return;
        if (const std::optional<std::wstring> failure = CheckFailureText(result.outcome)) {
            ShowErrorText(Handle(), *failure);
            return;
        }
        again = ShowReport(result.report, true);
    }
}

SessionResult LedgerExportDialog::RunSession(bool check) {
    // The separator box's text is used whatever the layout radio buttons say: a fixed-length
    // layout was never settled, so "Fixed Length file" only disables the box and the file
    // is the separated one with either choice, as the ledger package has always received it.
    const std::wstring typed = TypedFilePath();
    const SessionRequest request{{m_dateFrom, m_dateTo, check ? std::u16string() : AsUtf16(typed), m_separator,
                                  m_codePageCheck.GetCheck() == BST_CHECKED},
                                 check,
                                 true,
                                 false,
                                 LogPath(),
                                 {}};
    ComDocumentSource source(m_server, m_documentQuery);
    BarProgress progress(m_progress);
    ExportQuestions questions(Handle(), typed, PeriodText(), AsWide(LogPath()), m_files, m_folder,
                              m_toldUnnamedCompany);
    return RunExportSession(request, {source, Tables(), m_files, FormatUserDate, &progress, CurrentExportAuthor},
                            questions);
}

bool LedgerExportDialog::ShowReport(const CheckReport& report, bool mendable) {
    CheckReportDialog dialog(Handle(), report, PeriodText(), m_files, m_folder, mendable ? this : nullptr);
    dialog.DoModal();
    return dialog.CheckAgain();
}

bool LedgerExportDialog::TargetIsFreeToWrite(const std::u16string& target) {
    const std::optional<KeptFile> kept = KeptFileAt(m_files, m_folder, target);
    if (kept) ShowErrorText(Handle(), KeptFileText(*kept, TypedFilePath(), m_folder, WrittenFile::Export));
    return !kept;
}

std::wstring LedgerExportDialog::TypedFilePath() const { return m_fileEdit.WideText(); }

}  // namespace dralmoft
