// "Άρθρα": the export of the period to the output file. The file is written whole or
// not at all; any failure is told, with the document it happened on.
#include <algorithm>
#include <cmath>

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

// One step of the bar per element, over a 32-bit range. Painting the bar for each of a
// hundred thousand documents would cost more than reading them, so the steps are given
// in strides of about a pixel, and the rest when the run ends.
class BarProgress final : public ExportProgress {
public:
    explicit BarProgress(const ProgressBar& bar) : m_bar(bar) {}
    ~BarProgress() override {
        for (; m_pending > 0; --m_pending) m_bar.StepIt();
    }
    BarProgress(const BarProgress&) = delete;
    BarProgress& operator=(const BarProgress&) = delete;

    void Start(std::size_t elements) override {
        m_bar.SetRange(0, static_cast<int>(std::min<std::size_t>(elements, 0x7FFFFFFF)));
        m_bar.SetStep(1);
        m_stride = std::max<std::size_t>(1, elements / 500);
    }
    void Step() override {
        if (++m_pending < m_stride) return;
        m_bar.SetStep(static_cast<int>(m_stride));
        m_bar.StepIt();
        m_bar.SetStep(1);
        m_pending = 0;
    }

private:
    const ProgressBar& m_bar;
    std::size_t m_stride = 1;
    std::size_t m_pending = 0;
};

// Midnight of the day of an OLE date (the fraction is the time, also before 1900).
double DayOf(double date) { return std::trunc(date); }

}  // namespace

void LedgerExportDialog::RunExport() {
    UpdateData(true);
    if (m_filePath.empty()) return;
    m_dateFrom = DayOf(m_dateFrom);
    m_dateTo = DayOf(m_dateTo);
    if (m_dateFrom > m_dateTo) {
        ShowErrorMessage(Handle(), IDS_PERIOD_REVERSED,
                         {Part(FormatUserDate(m_dateFrom)), Part(FormatUserDate(m_dateTo))});
        return;
    }
    const std::wstring typed = TypedFilePath();
    const std::u16string target = AsUtf16(typed);
    if (!AccountsReadable() || !TargetIsFreeToWrite(target)) return;

    // The separator box's text is used whatever the layout radio buttons say: a fixed-length
    // layout was never settled, so "Fixed Length file" only disables the box and the file
    // is the separated one with either choice, as the ledger package has always received it.
    ExportRequest request{m_dateFrom, m_dateTo, target, m_separator,
                          [this] { return m_codePageCheck.GetCheck() == BST_CHECKED; }};
    ComDocumentSource source(m_server, m_documentQuery);
    BarProgress progress(m_progress);
    ExportOutcome outcome = ExportToFile(request, {source, Tables(), m_files, FormatUserDate, &progress});
    m_separator = outcome.separator;
    // Between the run and the replace: the one place where the user may still keep the
    // earlier file.
    if (outcome.state == ExportOutcome::State::Pending) {
        if (MayReplace(outcome, target)) (void)outcome.Commit();
        else outcome.Discard();
    }
    if (const std::optional<std::wstring> failure = ExportFailureText(outcome, typed))
        ShowErrorText(Handle(), *failure);
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
