// "Άρθρα": the export of the period to the output file. The file is written whole or
// not at all; any failure is told, with the document it happened on.
#include <cmath>

#include "app/bar_progress.h"
#include "app/error_message.h"
#include "app/ledger_export_dialog.h"
#include "app/shared_messages.h"
#include "export/com_document_source.h"
#include "export/export_to_file.h"
#include "export/locale_date.h"
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
    ShowErrorMessage(Handle(), IDS_PERIOD_REVERSED, {Part(FormatUserDate(m_dateFrom)), Part(FormatUserDate(m_dateTo))});
    return false;
}

void LedgerExportDialog::RunExport() {
    UpdateData(true);
    if (m_filePath.empty() || !TakePeriod()) return;
    const std::wstring typed = TypedFilePath();
    const std::u16string target = AsUtf16(typed);
    if (!AccountsReadable() || !TargetIsFreeToWrite(target)) return;
    LogUse log;
    if (!PrepareLog(typed, log)) return;

    // The separator box's text is used whatever the layout radio buttons say: a fixed-length
    // layout was never settled, so "Fixed Length file" only disables the box and the file
    // is the separated one with either choice, as the ledger package has always received it.
    const ExportRequest request{m_dateFrom, m_dateTo, target, m_separator,
                                [this] { return m_codePageCheck.GetCheck() == BST_CHECKED; }};
    ComDocumentSource source(m_server, m_documentQuery);
    PeriodCheck check(request.keepCodePage);
    ExportLogObserver observer(std::move(log.digests), log.onlyNew, &check);
    DocumentObserver* const watching = log.log.IsOpen() ? &observer : nullptr;
    ExportOutcome outcome = [&] {
        BarProgress progress(m_progress);
        return ExportToFile(request, {source, Tables(), m_files, FormatUserDate, &progress, watching, &check});
    }();
    m_separator = outcome.separator;
    SettleExport(outcome, check.Report(), observer, log.onlyNew, typed);
    if (const std::optional<std::wstring> failure = ExportFailureText(outcome, typed)) {
        ShowErrorText(Handle(), *failure);
        return;
    }
    RecordInLog(log, request, outcome, observer);
}

void LedgerExportDialog::SettleExport(ExportOutcome& outcome, const CheckReport& report,
                                      const ExportLogObserver& observer, bool onlyNew, const std::wstring& typed) {
    if (outcome.state != ExportOutcome::State::Pending) return;
    if (onlyNew && observer.Entries().empty()) {
        outcome.Discard();
        ShowInformation(Handle(), LoadMessage(IDS_NOTHING_NEW, {typed}));
        return;
    }
    // The one place where the user may still keep the earlier file.
    if (MayWriteWithProblems(report, typed) && MayReplace(outcome, AsUtf16(typed))) (void)outcome.Commit();
    else outcome.Discard();
}

bool LedgerExportDialog::TargetIsFreeToWrite(const std::u16string& target) {
    for (const AccountKind kind : kAccountLoadOrder) {
        if (!m_files.SameFile(target, m_folder + std::u16string(AccountFileName(kind)))) continue;
        ShowErrorMessage(Handle(), IDS_EXPORT_OVER_ACCOUNT_FILE, {TypedFilePath(), AccountFileText(kind)});
        return false;
    }
    return true;
}

bool LedgerExportDialog::MayReplace(const ExportOutcome& outcome, const std::u16string& target) {
    // A period without documents would turn an earlier export into an empty file.
    if (outcome.summary.records != 0) return true;
    const std::uint64_t earlier = m_files.SizeOf(target).value_or(0);
    return earlier == 0 ||
           AskYesNo(Handle(), LoadMessage(IDS_EMPTY_EXPORT_REPLACES, {TypedFilePath(), std::to_wstring(earlier)}));
}

std::wstring LedgerExportDialog::TypedFilePath() const { return m_fileEdit.WideText(); }

}  // namespace dralmoft
