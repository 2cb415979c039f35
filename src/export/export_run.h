#pragma once
// The export of a period: every document the source gives becomes, per VAT percentage
// of its lines, a VAT record and an item record, then one trader record, with the
// accounts of the four tables. Portable: the server, the file and the date form come in
// from outside.

#include <cstddef>
#include <exception>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/file_system.h"
#include "export/account_index.h"
#include "export/document_observer.h"
#include "export/document_source.h"
#include "export/journal_record.h"
#include "mapping/account_tables.h"

namespace dralmoft {

// Takes each record as it is composed.
class RecordSink {
public:
    virtual ~RecordSink() = default;
    [[nodiscard]] virtual FileStatus Write(std::string_view record) = 0;
};

class ExportProgress {
public:
    virtual ~ExportProgress() = default;
    virtual void Start(std::size_t elements) = 0;
    virtual void Step() = 0;
    // The run went through every element: what follows (a question to the user) comes
    // after a full bar.
    virtual void Finish() = 0;
};

// The document date in the user's short date form; nothing when the system cannot write it.
using DateFormatter = std::function<std::optional<std::string>(double oleDate)>;

// Raised by the run when the date formatter cannot write a document's date: the system
// failed, not the server.
class DateFormatError : public std::exception {
public:
    explicit DateFormatError(double oleDate) : m_date(oleDate) {}
    [[nodiscard]] double Date() const noexcept { return m_date; }
    [[nodiscard]] const char* what() const noexcept override { return "a date the system cannot write"; }

private:
    double m_date;
};

struct ExportSummary {
    std::size_t read = 0;           // elements walked
    std::size_t exported = 0;       // documents that gave records
    std::size_t notCommercial = 0;  // skipped: not a commercial document
    std::size_t noTrader = 0;       // skipped: no trader
    std::size_t noLines = 0;        // skipped: no lines
    std::size_t leftOut = 0;        // composed, but left out by the observer
    std::size_t records = 0;
};

class ExportRun {
public:
    // The observer chooses the documents written; the watcher follows the run.
    ExportRun(DocumentSource& source, RecordSink& sink, AccountTables accounts, DateFormatter formatDate,
              ExportProgress* progress = nullptr, DocumentObserver* observer = nullptr, RunWatcher* watcher = nullptr);

    // Runs the period. An empty `separator` becomes ";" when the first record needs it.
    // Raises ServerError and DateFormatError; answers a failed write, after which nothing
    // more is written.
    [[nodiscard]] FileStatus Run(double from, double to, std::string& separator);

    [[nodiscard]] const ExportSummary& Summary() const { return m_summary; }
    // The document being read: "name-seriesnumber", or "#n" before its texts are known.
    [[nodiscard]] const std::string& CurrentDocument() const { return m_current; }

private:
    // A VAT group of the document being read.
    struct Group {
        double percent;
        GroupAccumulator* accumulator;
    };

    [[nodiscard]] FileStatus ExportDocument(SourceDocument& document, std::string& separator);
    void Skip(std::size_t& count, SkipReason reason, double oleDate = std::numeric_limits<double>::quiet_NaN());
    // Reads the lines into m_groups; false when the document has none.
    [[nodiscard]] bool GroupLines(SourceDocument& document, std::size_t lines);
    [[nodiscard]] GroupAccumulator& GroupFor(SourceDocument& document, double percent);
    // Composes the document's records into m_text, their ends into m_ends.
    void ComposeRecords(std::string_view separator);
    // Composes the records, and writes them unless the observer leaves the document out.
    [[nodiscard]] FileStatus WriteRecords(std::string_view separator);

    DocumentSource& m_source;
    RecordSink& m_sink;
    AccountIndex m_clients;
    AccountIndex m_suppliers;
    AccountIndex m_items;
    VatAccountIndex m_vat;
    DateFormatter m_formatDate;
    // The date texts formatted so far: a period has few days and many documents.
    std::map<double, std::string> m_dates;
    // The document being written, its records' shared fields, its groups in ascending
    // order of percentage, and its records as composed: kept from one document to the
    // next for their memory.
    DocumentFields m_fields;
    DocumentRecords m_records;
    std::vector<Group> m_groups;
    std::string m_head;
    std::string m_text;
    std::vector<std::size_t> m_ends;
    std::vector<std::string> m_itemNames;
    std::vector<ComposedGroup> m_composed;
    ComposedTrader m_trader;
    ExportProgress* m_progress;
    DocumentObserver* m_observer;
    RunWatcher* m_watcher;
    ExportSummary m_summary;
    std::string m_current;
};

}  // namespace dralmoft
