// "Άρθρα": the export of the period to the output file. The file is written whole or
// not at all; any failure is told, with the document it happened on.
#include <algorithm>
#include <cmath>

#include "app/error_message.h"
#include "app/ledger_export_dialog.h"
#include "export/com_document_source.h"
#include "export/export_run.h"
#include "export/journal_writer.h"
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

    JournalWriter writer(m_files, m_filePath, [this] { return m_codePageCheck.GetCheck() == BST_CHECKED; });
    if (const FileStatus status = writer.Open(); !status.ok) {
        ShowErrorMessage(Handle(), IDS_EXPORT_FILE_UNWRITABLE, {m_filePath, status.text});
        return;
    }
    ComDocumentSource source(m_server, m_documentQuery);
    BarProgress progress(m_progress);
    ExportRun run(source, writer, {m_clientAccounts, m_supplierAccounts, m_itemAccounts, m_vatAccounts},
                  FormatUserDate, &progress);
    try {
        FileStatus status = run.Run(m_dateFrom, m_dateTo, m_separator);
        if (status.ok) status = writer.Close();
        if (!status.ok) ShowErrorMessage(Handle(), IDS_EXPORT_FILE_NOT_SAVED, {m_filePath, status.text});
    } catch (const ServerError& error) {
        ShowErrorMessage(Handle(), IDS_EXPORT_FAILED, {m_filePath, error.StatusHex(), run.CurrentDocument(), error.Text()});
    }
}

}  // namespace dralmoft
