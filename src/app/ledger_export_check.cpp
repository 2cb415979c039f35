// "Έλεγχος...": the period check without a file, and the report window; and the question
// an export asks when its file has problems the ledger package would take wrongly.
#include "app/bar_progress.h"
#include "app/check_report_dialog.h"
#include "app/error_message.h"
#include "app/ledger_export_dialog.h"
#include "app/problems_question.h"
#include "app/shared_messages.h"
#include "export/com_document_source.h"
#include "export/export_to_file.h"
#include "export/locale_date.h"

namespace dralmoft {

void LedgerExportDialog::RunCheck() {
    UpdateData(true);
    if (!TakePeriod() || !AccountsReadable()) return;
    LogUse log;
    if (!ReadLogForCheck(log)) return;
    // As the export would write it: the separator box's text and the code page's choice.
    const ExportRequest request{
        m_dateFrom, m_dateTo, {}, m_separator, [this] { return m_codePageCheck.GetCheck() == BST_CHECKED; }};
    ComDocumentSource source(m_server, m_documentQuery);
    PeriodCheck check(request.keepCodePage);
    // With the log, the report lists the changed and the already exported documents.
    ExportLogObserver observer(std::move(log.digests), false, &check);
    DocumentObserver* const watching = log.log.IsOpen() ? &observer : nullptr;
    const ExportOutcome outcome = [&] {
        BarProgress progress(m_progress);
        return CheckPeriod(request, {source, Tables(), m_files, FormatUserDate, &progress, watching, &check});
    }();
    if (const std::optional<std::wstring> failure = CheckFailureText(outcome)) {
        ShowErrorText(Handle(), *failure);
        return;
    }
    ShowReport(check.Report(), true);
}

void LedgerExportDialog::ShowReport(const CheckReport& report, bool mendable) {
    CheckReportDialog dialog(Handle(), report, PeriodText(), m_files, mendable ? this : nullptr);
    dialog.DoModal();
}

bool LedgerExportDialog::MayWriteWithProblems(const CheckReport& report, const std::wstring& typed) {
    if (report.BlockingCount() == 0) return true;
    for (;;) {
        switch (AskAboutProblems(Handle(), typed, report)) {
            case ProblemsAnswer::Save: return true;
            case ProblemsAnswer::Cancel: return false;
            case ProblemsAnswer::Details: ShowReport(report, false); break;
        }
    }
}

}  // namespace dralmoft
