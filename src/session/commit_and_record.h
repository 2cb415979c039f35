#pragma once
// The last step of an export: its pending file replaces the target, and its batch goes
// into the folder's export log. What must happen together is one function, so that the
// order between the two is decided in one place:
//
//   1. the batch is recorded as pending, with its target, its file and the file's digest,
//      unless the period's batches changed since the session read the log;
//   2. the file takes its pending name, which no cleanup of leftovers removes;
//   3. the file replaces the target;
//   4. the batch is marked done.
//
// A program killed anywhere leaves either the target as it was and a pending batch whose
// file is still there, or the new target and a pending batch whose digest it holds: the
// next export settles either (see pending_batches.h). A batch never counts for a file that
// is not in place, and a file in place is never left without its batch.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "data/file_system.h"
#include "export/export_outcome.h"
#include "export/export_to_file.h"
#include "log/export_log.h"
#include "log/export_log_observer.h"
#include "log/export_recording.h"

namespace dralmoft {

// The log a written export is recorded in, and what goes into its batch.
struct BatchToRecord {
    // The folder's log as the session read it; when closed (the folder had none), the log
    // is created at `path` now.
    ExportLog& log;
    const std::u16string& path;
    const ExportRequest& request;
    const ExportLogObserver& observer;
    const std::function<ExportAuthor()>& author;
    FileSystem& files;
    // The log's change count when the session read it (0 when there was no log).
    std::int64_t readChanges = 0;
    std::u16string company;  // as the server names it
};

struct Committed {
    // The outcome still Pending: why the batch could not be recorded, the target untouched.
    // NotSaved: why its batch could not be dropped (it stays pending for the next export).
    // Written: why it could not be marked done (likewise).
    LogStatus log;
    std::int64_t batch = 0;  // the batch's number; 0 when none stands
    // The outcome still Pending: the batch of the period recorded, made pending or undone
    // since the session read the log; the target untouched.
    std::optional<ExportBatch> changedMeanwhile;
};

// Without a log, only puts a Pending outcome's file in place of the target (Written, or
// NotSaved with the error). With one, the steps above; the outcome stays Pending when the
// batch could not be recorded or the log changed meanwhile, for the caller to decide.
[[nodiscard]] Committed CommitAndRecord(ExportOutcome& outcome, const BatchToRecord* batch);

}  // namespace dralmoft
