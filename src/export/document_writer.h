#pragma once
// The side of a run that makes the file: for each element read, in order, it resolves the
// accounts, composes the document's records, lets the observer choose, writes them to
// the sink and tells the watcher; and it keeps the run's counts. It touches no server
// object and none of the window's state: it may run on a thread of its own.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/file_system.h"
#include "export/account_lookup.h"
#include "export/document_observer.h"
#include "export/journal_record.h"
#include "export/read_element.h"
#include "mapping/account_tables.h"

namespace dralmoft {

class RecordSink;

struct ExportSummary {
    std::size_t read = 0;           // elements walked
    std::size_t exported = 0;       // documents that gave records
    std::size_t notCommercial = 0;  // skipped: not a commercial document
    std::size_t noTrader = 0;       // skipped: no trader
    std::size_t noLines = 0;        // skipped: no lines
    std::size_t leftOut = 0;        // composed, but left out by the observer
    std::size_t records = 0;
};

// The run's accounts, as the tables stood when it began.
struct AccountLookups {
    // Made on the tables' thread, which keeps them as they are until InsertMissing.
    explicit AccountLookups(const AccountTables& tables)
        : clients(tables.clients), suppliers(tables.suppliers), items(tables.items), vat(tables.vat) {}
    // The keys looked up that the tables lack, into the tables, on their thread.
    void InsertMissing(const AccountTables& tables) const {
        clients.InsertMissing(tables.clients);
        suppliers.InsertMissing(tables.suppliers);
        items.InsertMissing(tables.items);
        vat.InsertMissing(tables.vat);
    }

    AccountLookup clients;
    AccountLookup suppliers;
    AccountLookup items;
    VatAccountLookup vat;
};

class DocumentWriter {
public:
    DocumentWriter(RecordSink& sink, AccountLookups& accounts, DocumentObserver* observer, RunWatcher* watcher)
        : m_sink(sink),
          m_accounts(accounts),
          m_observer(observer),
          m_watcher(watcher),
          m_digests(observer != nullptr && observer->WantsDigests()) {}

    // Takes the next element. An empty `separator` becomes ";" when the first document
    // needs it. Answers a failed write, after which the run writes nothing more.
    [[nodiscard]] FileStatus Take(const ReadElement& element, std::string& separator);

    [[nodiscard]] const ExportSummary& Summary() const { return m_summary; }

private:
    void Skip(const ReadElement& element);
    // Composes the document's records into m_text, their ends into m_ends, and (when
    // digesting) their digest form into m_digestText.
    void ComposeRecords(const ReadElement& element, std::string_view separator);

    RecordSink& m_sink;
    AccountLookups& m_accounts;
    DocumentObserver* m_observer;
    RunWatcher* m_watcher;
    const bool m_digests;  // each document's digest is made as its records are composed
    ExportSummary m_summary;
    // The document's records as composed, and what they were composed from: kept from one
    // document to the next for their memory.
    DocumentRecords m_records;
    std::string m_head;
    std::string m_text;
    // The records' digest form, made as they are composed when the observer wants digests.
    std::string m_digestHead;
    std::string m_digestText;
    std::string m_isoDate;  // the digest's form of the date m_isoDateOf
    std::optional<double> m_isoDateOf;
    std::vector<std::size_t> m_ends;
    std::vector<ComposedGroup> m_composed;
    ComposedTrader m_trader;
};

}  // namespace dralmoft
