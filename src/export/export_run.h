#pragma once
// The export of a period: every document the source gives becomes, per VAT percentage
// of its lines, a VAT record and an item record, then one trader record, with the
// accounts of the four tables. Portable: the server, the file and the date form come in
// from outside.
//
// A run is two threads at the server's pace. The calling thread (the one the source
// belongs to) reads the documents from the server and sums their groups (DocumentReader);
// a second thread resolves the accounts, composes and writes the records, and lets the
// observer and the watcher see them (DocumentWriter), while the server answers the next
// documents. A bounded queue of read documents joins them: the server sets the pace, and
// memory holds a window of documents, not the period.

#include <cstddef>
#include <string>
#include <string_view>

#include "data/file_system.h"
#include "export/document_observer.h"
#include "export/document_reader.h"
#include "export/document_source.h"
#include "export/document_writer.h"
#include "mapping/account_tables.h"

namespace dralmoft {

// Takes each record as it is composed, on the run's second thread.
class RecordSink {
public:
    virtual ~RecordSink() = default;
    [[nodiscard]] virtual FileStatus Write(std::string_view record) = 0;
};

// Follows the documents read, on the calling thread.
class ExportProgress {
public:
    virtual ~ExportProgress() = default;
    virtual void Start(std::size_t elements) = 0;
    virtual void Step() = 0;
    // The run went through every element: what follows (a question to the user) comes
    // after a full bar.
    virtual void Finish() = 0;
};

class ExportRun {
public:
    // How many read documents may wait for the second thread.
    static constexpr std::size_t kQueuedDocuments = 256;

    // The observer chooses the documents written; the watcher follows the run. Both, and
    // the sink, are called on the run's second thread, one call at a time; the tables,
    // the source, the date formatter and the progress only on the calling thread.
    ExportRun(DocumentSource& source, RecordSink& sink, AccountTables accounts, DateFormatter formatDate,
              ExportProgress* progress = nullptr, DocumentObserver* observer = nullptr, RunWatcher* watcher = nullptr);

    // Runs the period. An empty `separator` becomes ";" when the first record needs it.
    // Raises ServerError and DateFormatError (what the records' side raises, too) once
    // both threads stopped; answers a failed write, after which nothing more is written.
    // Either failure stops both sides, and what was read before it is written first.
    [[nodiscard]] FileStatus Run(double from, double to, std::string& separator);

    [[nodiscard]] const ExportSummary& Summary() const { return m_summary; }
    // The document being read: "name-seriesnumber", or "#n" before its texts are known.
    [[nodiscard]] const std::string& CurrentDocument() const { return m_current; }

private:
    DocumentSource& m_source;
    RecordSink& m_sink;
    AccountTables m_tables;
    DateFormatter m_formatDate;
    ExportProgress* m_progress;
    DocumentObserver* m_observer;
    RunWatcher* m_watcher;
    ExportSummary m_summary;
    std::string m_current;
};

}  // namespace dralmoft
