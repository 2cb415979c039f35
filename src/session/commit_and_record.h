#pragma once
// The last step of an export: its pending file replaces the target, and its batch goes
// into the folder's export log. What must happen together is one function, so that the
// order between the two is decided in one place.

#include <cstdint>
#include <functional>
#include <string>

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
};

struct Committed {
    LogStatus log;           // why the batch could not be recorded
    std::int64_t batch = 0;  // the batch's number; 0 when none was recorded
};

// Puts a Pending outcome's file in place of the target (Written, or NotSaved with the
// error), then, with a log, records the batch. A batch never stands for a file that is
// not there: a file that could not replace the target is not recorded.
[[nodiscard]] Committed CommitAndRecord(ExportOutcome& outcome, const BatchToRecord* batch);

}  // namespace dralmoft
