#include "log/export_log.h"

#include <bit>
#include <cstdlib>
#include <sqlite3.h>
#include <unordered_set>

#include "base/code_page.h"

namespace dralmoft {
namespace {

// Version 1. The identity's texts are blobs: the bytes the records carry, compared
// exactly. `digest` is the 64 bits as a signed integer. A batch holds a document once
// (Record sees to it); the indexes are small ones, so that a year is recorded quickly.
constexpr const char* kSchema1 = R"sql(
CREATE TABLE batch (
    number INTEGER PRIMARY KEY,
    exported_at TEXT NOT NULL,
    user TEXT NOT NULL,
    machine TEXT NOT NULL,
    period_from TEXT NOT NULL,
    period_to TEXT NOT NULL,
    path BLOB NOT NULL,
    code_page INTEGER NOT NULL,
    separator BLOB NOT NULL,
    documents INTEGER NOT NULL,
    records INTEGER NOT NULL,
    file_digest TEXT NOT NULL,
    undone_at TEXT,
    undone_by TEXT
);
CREATE TABLE document (
    batch INTEGER NOT NULL REFERENCES batch (number),
    sale INTEGER NOT NULL,
    name BLOB NOT NULL,
    series BLOB NOT NULL,
    number INTEGER NOT NULL,
    year INTEGER NOT NULL,
    tax_id BLOB NOT NULL,
    date TEXT NOT NULL,
    digest INTEGER NOT NULL
);
CREATE INDEX document_batch ON document (batch);
CREATE INDEX document_year ON document (year);
CREATE INDEX document_date ON document (date);
)sql";

// Version 2: each document's latest standing export, kept as batches are recorded and
// undone, so that a year's lookup reads each document once however often the year was
// exported again. The document table keeps every batch's rows (for the history and for
// undo) and loses the indexes only the lookups needed.
constexpr const char* kSchema2 = R"sql(
CREATE TABLE latest (
    year INTEGER NOT NULL,
    sale INTEGER NOT NULL,
    name BLOB NOT NULL,
    series BLOB NOT NULL,
    number INTEGER NOT NULL,
    tax_id BLOB NOT NULL,
    batch INTEGER NOT NULL,
    date TEXT NOT NULL,
    digest INTEGER NOT NULL,
    PRIMARY KEY (year, sale, name, series, number, tax_id)
) WITHOUT ROWID;
DROP INDEX document_year;
DROP INDEX document_date;
INSERT OR REPLACE INTO latest
    SELECT d.year, d.sale, d.name, d.series, d.number, d.tax_id, d.batch, d.date, d.digest
    FROM document d JOIN batch b ON b.number = d.batch
    WHERE b.undone_at IS NULL ORDER BY d.batch;
)sql";

// A batch's documents become the latest of their identities.
constexpr const char* kTakeLatest =
    "INSERT OR REPLACE INTO latest SELECT year, sale, name, series, number, tax_id, batch, date, digest "
    "FROM document WHERE batch = ?";

// After batch ? is undone: its documents go back to the batch that exported them last
// before it, or out of the lookup. A later batch that holds one keeps it.
constexpr const char* kDropUndone = "DELETE FROM latest WHERE batch = ?";
constexpr const char* kRestoreEarlier =
    "INSERT OR REPLACE INTO latest "
    "SELECT d.year, d.sale, d.name, d.series, d.number, d.tax_id, d.batch, d.date, d.digest "
    "FROM document d JOIN batch b ON b.number = d.batch "
    "WHERE b.undone_at IS NULL AND (d.year, d.sale, d.name, d.series, d.number, d.tax_id) IN ("
    "SELECT year, sale, name, series, number, tax_id FROM document WHERE batch = ?1 "
    "EXCEPT SELECT year, sale, name, series, number, tax_id FROM latest) "
    "ORDER BY d.batch";

std::string Utf8(std::u16string_view text) {
    std::string out;
    AppendUtf8(out, text);
    return out;
}

std::u16string Utf16(const std::string& text) { return Utf8ToUtf16(text).value_or(std::u16string()); }

// UTF-16 as little-endian bytes: a path is kept unit for unit, even one that is not
// well-formed UTF-16.
std::string UnitBytes(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xff));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

std::u16string Units(std::string_view bytes) {
    std::u16string text;
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[at]) |
                                             (static_cast<unsigned char>(bytes[at + 1]) << 8)));
    return text;
}

SqliteStatement& BindIdentity(SqliteStatement& statement, int first, const DocumentIdentity& identity) {
    return statement.Bind(first, std::int64_t{identity.sale})
        .BindBlob(first + 1, identity.name)
        .BindBlob(first + 2, identity.series)
        .Bind(first + 3, identity.number)
        .Bind(first + 4, std::int64_t{identity.year})
        .BindBlob(first + 5, identity.taxId);
}

// A transaction that is rolled back unless committed.
class Transaction {
public:
    explicit Transaction(sqlite3* database) : m_database(database) {
        // IMMEDIATE takes the write lock now, so that a second program waits here (the
        // busy timeout) instead of failing half way.
        m_status = SqliteExecute(database, "BEGIN IMMEDIATE");
    }
    ~Transaction() {
        if (m_status.ok && !m_done) (void)SqliteExecute(m_database, "ROLLBACK");
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    [[nodiscard]] const LogStatus& Status() const { return m_status; }
    [[nodiscard]] LogStatus Commit() {
        m_done = true;
        return SqliteExecute(m_database, "COMMIT");
    }

private:
    sqlite3* m_database;
    LogStatus m_status;
    bool m_done = false;
};

}  // namespace

std::size_t DocumentIdentityHash::operator()(const DocumentIdentity& identity) const {
    FnvDigest digest;
    digest.Add(identity.name);
    digest.Add(identity.series);
    digest.Add(identity.taxId);
    const std::uint64_t rest = (static_cast<std::uint64_t>(identity.number) << 17) ^
                               (static_cast<std::uint64_t>(identity.year) << 1) ^ (identity.sale ? 1u : 0u);
    return static_cast<std::size_t>(digest.Value() ^ (rest * 0x9e3779b97f4a7c15ull));
}

bool ExportLog::Exists(const std::u16string& path) {
    // The VFS that will open the file, asked about it with the same name.
    sqlite3_vfs* const vfs = sqlite3_vfs_find(nullptr);
    int exists = 0;
    return vfs != nullptr && vfs->xAccess(vfs, Utf8(path).c_str(), SQLITE_ACCESS_EXISTS, &exists) == SQLITE_OK &&
           exists != 0;
}

LogStatus ExportLog::Open(const std::u16string& path) {
    return OpenWith(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

LogStatus ExportLog::OpenExisting(const std::u16string& path) { return OpenWith(path, SQLITE_OPEN_READWRITE); }

LogStatus ExportLog::OpenWith(const std::u16string& path, int flags) {
    m_connection.reset();
    sqlite3* database = nullptr;
    const int code = sqlite3_open_v2(Utf8(path).c_str(), &database, flags, nullptr);
    SqliteConnection connection(database);
    if (code != SQLITE_OK) return SqliteFailure(database, code);
    sqlite3_extended_result_codes(database, 1);
    // Two users of one folder wait for each other; the folder may be a network share,
    // where a write-ahead log does not work: the rollback journal, deleted after use.
    sqlite3_busy_timeout(database, 5000);
    if (LogStatus status = SqliteExecute(database, "PRAGMA journal_mode = DELETE; PRAGMA foreign_keys = ON");
        !status.ok)
        return status;
    m_connection = std::move(connection);
    if (LogStatus status = Migrate(); !status.ok) {
        m_connection.reset();
        return status;
    }
    return LogStatus::Success();
}

LogStatus ExportLog::Migrate() {
    Transaction transaction(m_connection.get());
    if (!transaction.Status().ok) return transaction.Status();
    int version = -1;
    {
        // Finished before the schema changes: a table cannot be dropped under a reading.
        SqliteStatement read(m_connection.get(), "PRAGMA user_version");
        if (read.Step()) version = static_cast<int>(read.Integer(0));
        if (!read.Status().ok) return read.Status();
    }
    if (version > kSchemaVersion)
        return LogStatus::Failure(SQLITE_ERROR, "the export log was written by a newer version of Dralmoft (schema " +
                                                    std::to_string(version) + ")");
    if (version == kSchemaVersion) return transaction.Commit();
    // Each step brings the schema one version up; version 0 is a new, empty file.
    if (version < 1) {
        if (LogStatus status = SqliteExecute(m_connection.get(), kSchema1); !status.ok) return status;
    }
    if (version < 2) {
        if (LogStatus status = SqliteExecute(m_connection.get(), kSchema2); !status.ok) return status;
    }
    const std::string setVersion = "PRAGMA user_version = " + std::to_string(kSchemaVersion);
    if (LogStatus status = SqliteExecute(m_connection.get(), setVersion.c_str()); !status.ok) return status;
    return transaction.Commit();
}

LogStatus ExportLog::Record(ExportBatch& batch, std::span<const LoggedDocument> documents) {
    Transaction transaction(m_connection.get());
    if (!transaction.Status().ok) return transaction.Status();
    SqliteStatement insertBatch(m_connection.get(),
                                "INSERT INTO batch (exported_at, user, machine, period_from, period_to, path, "
                                "code_page, separator, documents, records, file_digest) "
                                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insertBatch.Bind(1, batch.when)
        .Bind(2, Utf8(batch.user))
        .Bind(3, Utf8(batch.machine))
        .Bind(4, batch.from)
        .Bind(5, batch.to)
        .BindBlob(6, UnitBytes(batch.path))
        .Bind(7, std::int64_t{batch.codePage})
        .BindBlob(8, batch.separator)
        .Bind(9, batch.documents)
        .Bind(10, batch.records)
        .Bind(11, batch.fileDigest);
    if (LogStatus status = insertBatch.Run(); !status.ok) return status;
    const std::int64_t number = sqlite3_last_insert_rowid(m_connection.get());
    SqliteStatement insertDocument(m_connection.get(),
                                   "INSERT INTO document (batch, sale, name, series, number, year, tax_id, "
                                   "date, digest) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
    std::unordered_set<DocumentIdentity, DocumentIdentityHash> met;
    for (const LoggedDocument& document : documents) {
        if (!met.insert(document.identity).second) continue;
        insertDocument.Reset();
        BindIdentity(insertDocument.Bind(1, number), 2, document.identity)
            .Bind(8, document.date)
            .Bind(9, std::bit_cast<std::int64_t>(document.digest));
        if (LogStatus status = insertDocument.Run(); !status.ok) return status;
    }
    SqliteStatement takeLatest(m_connection.get(), kTakeLatest);
    if (LogStatus status = takeLatest.Bind(1, number).Run(); !status.ok) return status;
    if (LogStatus status = transaction.Commit(); !status.ok) return status;
    batch.number = number;
    return LogStatus::Success();
}

LogStatus ExportLog::LatestDigests(int firstYear, int lastYear, LoggedDigests& digests) {
    digests.clear();
    SqliteStatement query(m_connection.get(),
                          "SELECT sale, name, series, number, year, tax_id, digest FROM latest "
                          "WHERE year BETWEEN ? AND ?");
    query.Bind(1, std::int64_t{firstYear}).Bind(2, std::int64_t{lastYear});
    while (query.Step()) {
        DocumentIdentity identity{
            query.Integer(0) != 0, query.Blob(1), query.Blob(2), query.Integer(3), static_cast<int>(query.Integer(4)),
            query.Blob(5)};
        digests.emplace(std::move(identity), std::bit_cast<std::uint64_t>(query.Integer(6)));
    }
    return query.Status();
}

LogStatus ExportLog::InPeriod(const std::string& from, const std::string& to, PeriodExports& exports) {
    exports = {};
    // Each document once, under the batch that exported it last.
    SqliteStatement batches(m_connection.get(),
                            "SELECT b.number, b.exported_at, count(*) FROM latest l "
                            "JOIN batch b ON b.number = l.batch "
                            "WHERE l.year BETWEEN ? AND ? AND l.date BETWEEN ? AND ? "
                            "GROUP BY b.number ORDER BY b.number");
    // The year, the key's first column, narrows the search to the period's years.
    const auto yearOf = [](const std::string& day) { return std::int64_t{std::atoi(day.substr(0, 4).c_str())}; };
    batches.Bind(1, yearOf(from)).Bind(2, yearOf(to)).Bind(3, from).Bind(4, to);
    while (batches.Step()) {
        exports.batches.push_back({batches.Integer(0), batches.Text(1), batches.Integer(2)});
        exports.documents += exports.batches.back().documents;
    }
    return batches.Status();
}

LogStatus ExportLog::History(std::vector<ExportBatch>& batches) {
    batches.clear();
    SqliteStatement query(m_connection.get(),
                          "SELECT number, exported_at, user, machine, period_from, period_to, path, code_page, "
                          "separator, documents, records, file_digest, undone_at, undone_by "
                          "FROM batch ORDER BY number DESC");
    while (query.Step()) {
        ExportBatch& batch = batches.emplace_back();
        batch.number = query.Integer(0);
        batch.when = query.Text(1);
        batch.user = Utf16(query.Text(2));
        batch.machine = Utf16(query.Text(3));
        batch.from = query.Text(4);
        batch.to = query.Text(5);
        batch.path = Units(query.Blob(6));
        batch.codePage = static_cast<int>(query.Integer(7));
        batch.separator = query.Blob(8);
        batch.documents = query.Integer(9);
        batch.records = query.Integer(10);
        batch.fileDigest = query.Text(11);
        batch.undoneWhen = query.Text(12);
        batch.undoneBy = Utf16(query.Text(13));
    }
    return query.Status();
}

LogStatus ExportLog::Documents(std::int64_t batch, std::vector<LoggedDocument>& documents) {
    documents.clear();
    SqliteStatement query(m_connection.get(),
                          "SELECT sale, name, series, number, year, tax_id, date, digest FROM document "
                          "WHERE batch = ? ORDER BY date, sale DESC, name, series, number");
    query.Bind(1, batch);
    while (query.Step()) {
        LoggedDocument& document = documents.emplace_back();
        document.identity = {
            query.Integer(0) != 0, query.Blob(1), query.Blob(2), query.Integer(3), static_cast<int>(query.Integer(4)),
            query.Blob(5)};
        document.date = query.Text(6);
        document.digest = std::bit_cast<std::uint64_t>(query.Integer(7));
    }
    return query.Status();
}

LogStatus ExportLog::Undo(std::int64_t batch, const std::string& when, const std::u16string& by, UndoResult& result) {
    Transaction transaction(m_connection.get());
    if (!transaction.Status().ok) return transaction.Status();
    SqliteStatement state(m_connection.get(), "SELECT undone_at IS NOT NULL FROM batch WHERE number = ?");
    state.Bind(1, batch);
    if (!state.Step()) {
        result = UndoResult::Unknown;
        return state.Status().ok ? transaction.Commit() : state.Status();
    }
    if (state.Integer(0) != 0) {
        result = UndoResult::AlreadyUndone;
        return transaction.Commit();
    }
    SqliteStatement mark(m_connection.get(), "UPDATE batch SET undone_at = ?, undone_by = ? WHERE number = ?");
    mark.Bind(1, when).Bind(2, Utf8(by)).Bind(3, batch);
    if (LogStatus status = mark.Run(); !status.ok) return status;
    for (const char* step : {kDropUndone, kRestoreEarlier}) {
        SqliteStatement statement(m_connection.get(), step);
        if (LogStatus status = statement.Bind(1, batch).Run(); !status.ok) return status;
    }
    if (LogStatus status = transaction.Commit(); !status.ok) return status;
    result = UndoResult::Undone;
    return LogStatus::Success();
}

}  // namespace dralmoft
