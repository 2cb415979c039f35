#include "session/commit_and_record.h"

namespace dralmoft {

Committed CommitAndRecord(ExportOutcome& outcome, const BatchToRecord* batch) {
    Committed committed;
    if (!outcome.Commit().ok || batch == nullptr) return committed;
    // A folder's first batch creates its log: nothing before this point does.
    if (!batch->log.IsOpen()) {
        committed.log = batch->log.Open(batch->path);
        if (!committed.log.ok) return committed;
    }
    committed.log =
        RecordExport(batch->log, batch->request, outcome, batch->observer, batch->author(), committed.batch);
    return committed;
}

}  // namespace dralmoft
