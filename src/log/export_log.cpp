#include "log/export_log.h"

#include <bit>
#include <filesystem>
#include <sqlite3.h>
#include <unordered_set>

#include "data/atomic_save.h"
#include "log/company_key.h"
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

// Whether the database's file has no pages: an empty file, which SQLite would take for a
// new database.
bool IsEmptyFile(sqlite3* database) {
    SqliteStatement pages(database, "PRAGMA page_count");
    return pages.Step() && pages.Integer(0) == 0;  // its one column
}

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
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(path), error);
}

void ExportLog::CloseRemovingIfEmpty(const std::u16string& path) {
    if (!m_connection) return;
    bool empty = false;
    {
        SqliteStatement count(m_connection.get(), "SELECT count(*) FROM batch");
        empty = count.Step() && count.Integer(0) == 0;  // its one column
    }
    m_connection.reset();
    sqlite3_vfs* const vfs = sqlite3_vfs_find(nullptr);
    if (empty && vfs != nullptr) (void)vfs->xDelete(vfs, Utf8(path).c_str(), 0);
}

LogStatus ExportLog::Open(const std::u16string& path) {
    if (path == u":memory:") return OpenWith(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    if (!Exists(path)) {
        if (LogStatus status = Create(path); !status.ok) return status;
    }
    return OpenWith(path, SQLITE_OPEN_READWRITE);
}

LogStatus ExportLog::Create(const std::u16string& path) {
    std::uint64_t random = 0;
    sqlite3_randomness(sizeof random, &random);
    const std::filesystem::path temporary(TemporaryPathFor(path, random));
    const std::filesystem::path target(path);
    {
        ExportLog built;
        if (LogStatus status = built.OpenWith(temporary.u16string(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
            !status.ok) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return status;
        }
    }
    // A link, unlike a rename, never replaces: a log another program made meanwhile stays.
    std::error_code error;
    std::filesystem::create_hard_link(temporary, target, error);
    if (error && !Exists(path)) {
        // A file system without links (FAT, some shares): renamed, after the same check.
        error.clear();
        std::filesystem::rename(temporary, target, error);
    }
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    if (error && !Exists(path))
        return LogStatus::Failure(SQLITE_CANTOPEN, "the export log could not be made: " + error.message());
    return LogStatus::Success();
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
    // where a write-ahead log does not work: the rollback journal, deleted after use. A
    // year's batch writes some 25 MB of rows and updates a table of its documents' latest
    // exports larger than SQLite's default page cache (2 MB); each page read or written is
    // a system call: a new log takes 16 KB pages (an older one keeps its own), and 64 MB
    // of cache keeps the year in memory.
    sqlite3_busy_timeout(database, kBusyWaitMs);
    constexpr const char* kSettings =
        "PRAGMA page_size = 16384; PRAGMA journal_mode = DELETE; PRAGMA foreign_keys = ON; "
        "PRAGMA cache_size = -65536";
    if (LogStatus status = SqliteExecute(database, kSettings); !status.ok) return status;
    if ((flags & SQLITE_OPEN_CREATE) == 0 && IsEmptyFile(database))
        return LogStatus::Failure(SQLITE_NOTADB, "file is empty: not an export log");
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
    if (version < 3) {
        if (LogStatus status = SqliteExecute(m_connection.get(), kSchema3); !status.ok) return status;
    }
    const std::string setVersion = "PRAGMA user_version = " + std::to_string(kSchemaVersion);
    if (LogStatus status = SqliteExecute(m_connection.get(), setVersion.c_str()); !status.ok) return status;
    return transaction.Commit();
}

LogStatus ExportLog::Record(ExportBatch& batch, std::span<const LoggedDocument> documents) {
    std::optional<ExportBatch> changedMeanwhile;
    if (LogStatus status = RecordPending(batch, documents, kNoChangeCheck, changedMeanwhile); !status.ok) return status;
    return MarkDone(batch.number);
}

LogStatus ExportLog::RecordPending(ExportBatch& batch, std::span<const LoggedDocument> documents,
                                   std::int64_t readChanges, std::optional<ExportBatch>& changedMeanwhile) {
    changedMeanwhile.reset();
    Transaction transaction(m_connection.get());
    if (!transaction.Status().ok) return transaction.Status();
    if (readChanges != kNoChangeCheck) {
        SqliteStatement changed(m_connection.get(), std::string("SELECT ") + kBatchColumns + kChangedSince);
        changed.Bind(1, readChanges).Bind(2, batch.from).Bind(3, batch.to);
        if (changed.Step()) changedMeanwhile = BatchAt(changed);
        if (!changed.Status().ok) return changed.Status();
        if (changedMeanwhile) return LogStatus::Success();
    }
    std::int64_t number = 0;
    if (LogStatus status = SqliteExecute(m_connection.get(), "UPDATE folder SET last_batch = last_batch + 1");
        !status.ok)
        return status;
    {
        SqliteStatement next(m_connection.get(), "SELECT last_batch FROM folder");
        if (next.Step()) number = next.Integer(0);  // its one column
        if (!next.Status().ok) return next.Status();
    }
    SqliteStatement insertBatch(m_connection.get(),
                                "INSERT INTO batch (number, exported_at, user, machine, period_from, period_to, "
                                "path, code_page, separator, documents, records, file_digest, state, target, "
                                "temporary, company) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insertBatch.Bind(1, number)
        .Bind(2, batch.when)
        .Bind(3, Utf8(batch.user))
        .Bind(4, Utf8(batch.machine))
        .Bind(5, batch.from)
        .Bind(6, batch.to)
        .BindBlob(7, UnitBytes(batch.path))
        .Bind(8, std::int64_t{batch.codePage})
        .BindBlob(9, batch.separator)
        .Bind(10, batch.documents)
        .Bind(11, batch.records)
        .Bind(12, batch.fileDigest)
        .Bind(13, StateText(BatchState::Pending))
        .BindBlob(14, UnitBytes(batch.target))
        .BindBlob(15, UnitBytes(batch.temporary))
        .Bind(16, Utf8(batch.company));
    if (LogStatus status = insertBatch.Run(); !status.ok) return status;
    SqliteStatement insertDocument(m_connection.get(),
                                   "INSERT INTO document (batch, sale, name, series, number, year, tax_id, "
                                   "date, digest) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
    // Each document once (the first time it comes), looked up where it stands: a year's
    // batch holds a hundred thousand identities, each with three texts.
    const auto hash = [](const DocumentIdentity* identity) { return DocumentIdentityHash()(*identity); };
    const auto same = [](const DocumentIdentity* a, const DocumentIdentity* b) { return *a == *b; };
    std::unordered_set<const DocumentIdentity*, decltype(hash), decltype(same)> met(documents.size(), hash, same);
    for (const LoggedDocument& document : documents) {
        if (!met.insert(&document.identity).second) continue;
        insertDocument.Reset();
        BindIdentity(insertDocument.Bind(1, number), 2, document.identity)
            .Bind(8, document.date, SqliteStatement::Held::InPlace)
            .Bind(9, std::bit_cast<std::int64_t>(document.digest));
        if (LogStatus status = insertDocument.Run(); !status.ok) return status;
    }
    if (LogStatus status = CountChange(number); !status.ok) return status;
    if (!batch.company.empty()) {
        SqliteStatement bind(m_connection.get(),
                             "UPDATE folder SET company = ?, company_key = ? WHERE company_key = ''");
        bind.Bind(1, Utf8(batch.company)).Bind(2, Utf8(CompanyKey(batch.company)));
        if (LogStatus status = bind.Run(); !status.ok) return status;
    }
    if (LogStatus status = transaction.Commit(); !status.ok) return status;
    batch.number = number;
    batch.state = BatchState::Pending;
    return LogStatus::Success();
}

LogStatus ExportLog::Rebind(const std::u16string& name, const std::string& when, const std::u16string& user) {
    Transaction transaction(m_connection.get());
    if (!transaction.Status().ok) return transaction.Status();
    SqliteStatement keep(
        m_connection.get(),
        "INSERT INTO rebinding (at, user, company_from, company_to) SELECT ?, ?, company, ? FROM folder");
    keep.Bind(1, when).Bind(2, Utf8(user)).Bind(3, Utf8(name));
    if (LogStatus status = keep.Run(); !status.ok) return status;
    SqliteStatement bind(m_connection.get(), "UPDATE folder SET company = ?, company_key = ?");
    bind.Bind(1, Utf8(name)).Bind(2, Utf8(CompanyKey(name)));
    if (LogStatus status = bind.Run(); !status.ok) return status;
    return transaction.Commit();
}

LogStatus ExportLog::MarkDone(std::int64_t batch) {
    Transaction transaction(m_connection.get());
    if (!transaction.Status().ok) return transaction.Status();
    SqliteStatement mark(m_connection.get(), "UPDATE batch SET state = ? WHERE number = ? AND state = ?");
    mark.Bind(1, StateText(BatchState::Done)).Bind(2, batch).Bind(3, StateText(BatchState::Pending));
    if (LogStatus status = mark.Run(); !status.ok) return status;
    // Taken as the latest only once: a later batch may hold some of its documents by now.
    if (sqlite3_changes(m_connection.get()) == 0) return transaction.Commit();
    SqliteStatement takeLatest(m_connection.get(), kTakeLatest);
    if (LogStatus status = takeLatest.Bind(1, batch).Run(); !status.ok) return status;
    if (LogStatus status = CountChange(batch); !status.ok) return status;
    return transaction.Commit();
}

LogStatus ExportLog::Drop(std::int64_t batch) {
    Transaction transaction(m_connection.get());
    if (!transaction.Status().ok) return transaction.Status();
    SqliteStatement documents(m_connection.get(),
                              "DELETE FROM document WHERE batch = ?1 AND "
                              "EXISTS (SELECT 1 FROM batch WHERE number = ?1 AND state = ?2)");
    documents.Bind(1, batch).Bind(2, StateText(BatchState::Pending));
    if (LogStatus status = documents.Run(); !status.ok) return status;
    SqliteStatement drop(m_connection.get(), "DELETE FROM batch WHERE number = ? AND state = ?");
    drop.Bind(1, batch).Bind(2, StateText(BatchState::Pending));
    if (LogStatus status = drop.Run(); !status.ok) return status;
    return transaction.Commit();
}

LogStatus ExportLog::CountChange(std::int64_t batch) {
    if (LogStatus status = SqliteExecute(m_connection.get(), kCountChange); !status.ok) return status;
    SqliteStatement take(m_connection.get(), kTakeChange);
    return take.Bind(1, batch).Run();
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
    SqliteStatement state(m_connection.get(), "SELECT undone_at IS NOT NULL, state = ? FROM batch WHERE number = ?");
    state.Bind(1, StateText(BatchState::Pending)).Bind(2, batch);
    if (!state.Step()) {
        result = UndoResult::Unknown;
        return state.Status();
    }
    // Its two columns: undone, pending. A pending batch is settled, not undone.
    if (state.Integer(0) != 0 || state.Integer(1) != 0) {
        result = state.Integer(0) != 0 ? UndoResult::AlreadyUndone : UndoResult::Pending;
        return LogStatus::Success();
    }
    SqliteStatement mark(m_connection.get(), "UPDATE batch SET undone_at = ?, undone_by = ? WHERE number = ?");
    mark.Bind(1, when).Bind(2, Utf8(by)).Bind(3, batch);
    if (LogStatus status = mark.Run(); !status.ok) return status;
    for (const char* step : {kDropUndone, kRestoreEarlier}) {
        SqliteStatement statement(m_connection.get(), step);
        if (LogStatus status = statement.Bind(1, batch).Run(); !status.ok) return status;
    }
    if (LogStatus status = CountChange(batch); !status.ok) return status;
    result = UndoResult::Undone;
    if (effect == nullptr) return LogStatus::Success();
    // Where each of its documents stands now: with no batch, with an earlier or a later one.
    SqliteStatement count(m_connection.get(), kUndoEffect);
    if (!count.Bind(1, batch).Step()) return count.Status();
    *effect = {count.Integer(kEffectFresh), count.Integer(kEffectEarlier), count.Integer(kEffectLater)};
    return count.Status();
}

}  // namespace dralmoft
