#pragma once
// The export log: a small SQLite database beside the account files that remembers every
// export that was written (a batch) and the documents in it, so that the next export of
// a period can tell what the ledger already holds. Batches are never deleted: undoing one
// marks it, and its documents count as not exported from then on.
//
// Texts of the documents are kept as the records carry them (Windows-1253 bytes); the
// output path as the user typed it (UTF-16, unit for unit); the rest as UTF-8 text.

#include <climits>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/fnv_digest.h"
#include "log/log_status.h"
#include "log/sqlite_handle.h"

namespace dralmoft {

// What tells a document from every other one of the company: Greek series restart each
// year, and two suppliers' invoices may share series and number.
struct DocumentIdentity {
    bool sale = true;
    std::string name;  // Windows-1253
    std::string series;
    std::int64_t number = 0;
    int year = 0;
    std::string taxId;

    friend bool operator==(const DocumentIdentity&, const DocumentIdentity&) = default;
};

struct DocumentIdentityHash {
    std::size_t operator()(const DocumentIdentity& identity) const;
};

// The latest digest of each document the log holds in batches still standing.
using LoggedDigests = std::unordered_map<DocumentIdentity, std::uint64_t, DocumentIdentityHash>;

struct LoggedDocument {
    DocumentIdentity identity;
    std::string date;          // "YYYY-MM-DD"
    std::uint64_t digest = 0;  // of its records' field values
};

// A batch is pending from just before its file replaces the target until just after: a
// program killed in between leaves it pending for the next one to settle.
enum class BatchState : std::uint8_t { Done, Pending };

struct ExportBatch {
    std::int64_t number = 0;  // given by the log
    std::string when;         // UTC, "YYYY-MM-DDTHH:MM:SSZ"
    std::u16string user;
    std::u16string machine;
    std::string from;  // the period, "YYYY-MM-DD"
    std::string to;
    std::u16string path;
    int codePage = 1253;
    std::string separator;  // Windows-1253
    std::int64_t documents = 0;
    std::int64_t records = 0;
    std::string fileDigest;  // of the file's bytes, 16 hexadecimal digits
    std::string undoneWhen;  // empty while it stands
    std::u16string undoneBy;
    BatchState state = BatchState::Done;
    // Full paths: the file the export replaced (or is to replace), and the temporary file
    // that replaces it. Empty in batches from before they were kept.
    std::u16string target;
    std::u16string temporary;
    std::u16string company;  // as the server named it; empty when not known

    [[nodiscard]] bool Undone() const { return !undoneWhen.empty(); }
};

// The batches still standing that hold documents dated in a period.
struct PeriodExports {
    struct Batch {
        std::int64_t number = 0;
        std::string when;
        std::int64_t documents = 0;  // of the period, exported last by this batch
    };
    std::vector<Batch> batches;  // oldest first
    std::int64_t documents = 0;  // of the period, each counted once
};

enum class UndoResult { Undone, Unknown, AlreadyUndone, Pending };

// What undoing a batch does to its documents, one by one.
struct UndoEffect {
    std::int64_t fresh = 0;    // no other batch still standing holds it: the next export writes it as new
    std::int64_t earlier = 0;  // an earlier batch still standing holds it: its version counts again
    std::int64_t later = 0;    // a later batch holds it: nothing changes for it

    friend bool operator==(const UndoEffect&, const UndoEffect&) = default;
};

// The company a folder's account files belong to, as the log keeps it.
struct FolderCompany {
    std::u16string name;    // as the server named it when it was bound
    std::u16string key;     // CompanyKey of it; empty while the folder is bound to none
    std::u16string former;  // the name before the last rebinding; empty when never rebound
};

class ExportLog {
public:
    // The file's name, in the program's current directory.
    static constexpr char16_t kFileName[] = u"dralmoft-exports.db";
    // The schema this program writes; an older log is brought up to it when opened.
    static constexpr int kSchemaVersion = 3;
    // A change count above any the log reaches: RecordPending then looks for no change.
    static constexpr std::int64_t kNoChangeCheck = INT64_MAX;
    // How long a reader or writer waits for another program that holds the log (a second
    // user of a shared folder, a backup) before it gives up with SQLite's "busy".
    static constexpr int kBusyWaitMs = 5000;

    // Whether a file is at `path`, a log or not: an empty file is there too (and is refused
    // when opened: see Open). Looking creates nothing.
    [[nodiscard]] static bool Exists(const std::u16string& path);

    // Opens the log at `path`, creating it when missing (recording a batch is the one
    // thing that does); u":memory:" for one that lives only as long as this object. A new
    // log is built whole under a temporary name beside `path` and then linked into place,
    // so that a log is never seen half made, and an empty file of the log's name is never
    // one of ours: it is refused like a damaged log (a failed copy from a backup, say).
    // A file that is not a log, or a damaged one, is left as it is and its failure returned.
    [[nodiscard]] LogStatus Open(const std::u16string& path);
    // Opens the log at `path` only if it is there: every reader, so that looking never
    // leaves a log behind.
    [[nodiscard]] LogStatus OpenExisting(const std::u16string& path);
    [[nodiscard]] bool IsOpen() const { return m_connection != nullptr; }
    // Closes the log, and removes its file at `path` when it holds no batch: an export
    // that made the folder's log for a batch it then did not record leaves none behind.
    // A log another program has open meanwhile stays.
    void CloseRemovingIfEmpty(const std::u16string& path);

    // A read transaction: what is read while it lives is of one moment.
    class Reading {
    public:
        explicit Reading(ExportLog& log);
        ~Reading();
        Reading(const Reading&) = delete;
        Reading& operator=(const Reading&) = delete;
        [[nodiscard]] const LogStatus& Status() const { return m_status; }

    private:
        ExportLog& m_log;
        LogStatus m_status;
    };

    // The log's change count: an export reads it with the period, and gives it back to
    // RecordPending.
    [[nodiscard]] LogStatus Changes(std::int64_t& changes);
    // Records an export about to replace its target, pending, with its documents, in one
    // transaction that first takes the log's write lock; `batch.number` is set. Unless a
    // batch holding documents of batch.from..to was made pending, done or undone after
    // change count `readChanges`: then nothing is recorded and `changedMeanwhile` holds
    // the last such batch. A document given twice is kept once (its first). The first
    // batch with a company's name binds the folder to it.
    [[nodiscard]] LogStatus RecordPending(ExportBatch& batch, std::span<const LoggedDocument> documents,
                                          std::int64_t readChanges, std::optional<ExportBatch>& changedMeanwhile);
    // The company the folder is bound to (none before its first batch with a name).
    [[nodiscard]] LogStatus Company(FolderCompany& company);
    // The user said that company `name` is the folder's company under another name or
    // location: the folder is bound to it from now on, and the change kept.
    [[nodiscard]] LogStatus Rebind(const std::u16string& name, const std::string& when, const std::u16string& user);
    // A pending batch's file replaced its target: its documents count from now on. A batch
    // already done (settled by another program) is left as it is.
    [[nodiscard]] LogStatus MarkDone(std::int64_t batch);
    // A pending batch's file never replaced its target: the batch goes, its number is not
    // given again. A batch that is not pending is left as it is.
    [[nodiscard]] LogStatus Drop(std::int64_t batch);
    // RecordPending without the check, then MarkDone.
    [[nodiscard]] LogStatus Record(ExportBatch& batch, std::span<const LoggedDocument> documents);
    // The digest of each document dated in the years given, as the latest batch still
    // standing holds it, read at once: an export of only what is new asks about each of a
    // year's documents.
    [[nodiscard]] LogStatus LatestDigests(int firstYear, int lastYear, LoggedDigests& digests);
    [[nodiscard]] LogStatus InPeriod(const std::string& from, const std::string& to, PeriodExports& exports);
    // Every batch, newest first.
    [[nodiscard]] LogStatus History(std::vector<ExportBatch>& batches);
    // The pending batches, oldest first.
    [[nodiscard]] LogStatus PendingBatches(std::vector<ExportBatch>& batches);
    [[nodiscard]] LogStatus Documents(std::int64_t batch, std::vector<LoggedDocument>& documents);
    // Undoes batch `batch` (when, by whom); `effect`, when given, receives what it did.
    [[nodiscard]] LogStatus Undo(std::int64_t batch, const std::string& when, const std::u16string& by,
                                 UndoResult& result, UndoEffect* effect = nullptr);
    // What Undo would do now, without doing it.
    [[nodiscard]] LogStatus PreviewUndo(std::int64_t batch, UndoResult& result, UndoEffect& effect);

private:
    [[nodiscard]] LogStatus OpenWith(const std::u16string& path, int flags);
    // Builds a new, empty log at `path` through a temporary file; a log another program
    // put there meanwhile is kept.
    [[nodiscard]] static LogStatus Create(const std::u16string& path);
    // Undo's steps, in the caller's transaction; then, when asked, their effect.
    [[nodiscard]] LogStatus UndoSteps(std::int64_t batch, const std::string& when, const std::u16string& by,
                                      UndoResult& result, UndoEffect* effect);
    [[nodiscard]] LogStatus Migrate();
    // The log's change count one up, taken by `batch`; in the caller's transaction.
    [[nodiscard]] LogStatus CountChange(std::int64_t batch);

    SqliteConnection m_connection;
};

}  // namespace dralmoft
