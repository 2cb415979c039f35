#include "log/export_log.h"

#include <bit>
#include <sqlite3.h>
#include <unordered_set>

#include "log/log_rows.h"
#include "log/log_schema.h"

namespace dralmoft {
namespace {

using namespace log_rows;
using namespace log_schema;

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
    sqlite3_busy_timeout(database, kBusyWaitMs);
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
        if (read.Step()) version = static_cast<int>(read.Integer(0));  // its one column
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

LogStatus ExportLog::Undo(std::int64_t batch, const std::string& when, const std::u16string& by, UndoResult& result,
                          UndoEffect* effect) {
    Transaction transaction(m_connection.get());
    if (!transaction.Status().ok) return transaction.Status();
    if (LogStatus status = UndoSteps(batch, when, by, result, effect); !status.ok) return status;
    return transaction.Commit();
}

LogStatus ExportLog::PreviewUndo(std::int64_t batch, UndoResult& result, UndoEffect& effect) {
    // The undo itself, rolled back when the transaction goes away uncommitted.
    Transaction transaction(m_connection.get());
    if (!transaction.Status().ok) return transaction.Status();
    return UndoSteps(batch, "preview", u"", result, &effect);
}

LogStatus ExportLog::UndoSteps(std::int64_t batch, const std::string& when, const std::u16string& by,
                               UndoResult& result, UndoEffect* effect) {
    SqliteStatement state(m_connection.get(), "SELECT undone_at IS NOT NULL FROM batch WHERE number = ?");
    state.Bind(1, batch);
    if (!state.Step()) {
        result = UndoResult::Unknown;
        return state.Status();
    }
    if (state.Integer(0) != 0) {  // its one column
        result = UndoResult::AlreadyUndone;
        return LogStatus::Success();
    }
    SqliteStatement mark(m_connection.get(), "UPDATE batch SET undone_at = ?, undone_by = ? WHERE number = ?");
    mark.Bind(1, when).Bind(2, Utf8(by)).Bind(3, batch);
    if (LogStatus status = mark.Run(); !status.ok) return status;
    for (const char* step : {kDropUndone, kRestoreEarlier}) {
        SqliteStatement statement(m_connection.get(), step);
        if (LogStatus status = statement.Bind(1, batch).Run(); !status.ok) return status;
    }
    result = UndoResult::Undone;
    if (effect == nullptr) return LogStatus::Success();
    // Where each of its documents stands now: with no batch, with an earlier or a later one.
    SqliteStatement count(m_connection.get(), kUndoEffect);
    if (!count.Bind(1, batch).Step()) return count.Status();
    *effect = {count.Integer(kEffectFresh), count.Integer(kEffectEarlier), count.Integer(kEffectLater)};
    return count.Status();
}

}  // namespace dralmoft
