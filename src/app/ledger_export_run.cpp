// "Άρθρα": the export of the period to the output file. The file is written whole or
// not at all; any failure is told, with the document it happened on.
#include <algorithm>
#include <cmath>

#include "app/error_message.h"
#include "app/export_messages.h"
#include "app/ledger_export_dialog.h"
#include "data/code_page.h"
#include "export/com_document_source.h"
#include "export/export_to_file.h"
#include "export/locale_date.h"

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

    // The separator box's text is used whatever the layout radio buttons say: a fixed-length
    // layout was never settled, so "Fixed Length file" only disables the box and the file
    // is the separated one with either choice, as the ledger package has always received it.
    ExportRequest request{m_dateFrom, m_dateTo, Cp1253ToUtf16(m_filePath), m_separator,
                          [this] { return m_codePageCheck.GetCheck() == BST_CHECKED; }};
    ComDocumentSource source(m_server, m_documentQuery);
    BarProgress progress(m_progress);
    ExportOutcome outcome = ExportToFile(request, {source, Tables(), m_files, FormatUserDate, &progress});
    m_separator = outcome.separator;
    if (outcome.state == ExportOutcome::State::Pending) (void)outcome.Commit();
    if (const std::optional<std::string> failure = ExportFailureText(outcome, m_filePath))
        ShowErrorText(Handle(), *failure);
}

}  // namespace dralmoft
