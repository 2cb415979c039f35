#include "session/commit_and_record.h"

#include "data/atomic_save.h"
#include "session/commit_step.h"

namespace dralmoft {
namespace {

ExportBatch PendingBatchOf(const BatchToRecord& batch, const ExportOutcome& outcome) {
    ExportBatch pending = BatchOf(batch.request, outcome, batch.observer, batch.author());
    pending.target = batch.files.FullPath(batch.request.path);
    // The name the file has from step 2 on: the one the next export looks for.
    pending.temporary = batch.files.FullPath(PendingPathFor(outcome.PendingFile()));
    pending.company = batch.company;
    return pending;
}

}  // namespace

Committed CommitAndRecord(ExportOutcome& outcome, const BatchToRecord* batch) {
    Committed committed;
    if (outcome.state != ExportOutcome::State::Pending) return committed;
    if (batch == nullptr) {
        (void)outcome.Commit();
        return committed;
    }
    // A folder's first batch creates its log: nothing before this point does.
    if (!batch->log.IsOpen()) {
        committed.log = batch->log.Open(batch->path);
        if (!committed.log.ok) return committed;
    }
    ExportBatch pending = PendingBatchOf(*batch, outcome);
    committed.log =
        batch->log.RecordPending(pending, batch->observer.Entries(), batch->readChanges, committed.changedMeanwhile);
    if (!committed.log.ok || committed.changedMeanwhile) return committed;
    committed.batch = pending.number;
    CommitStepReached(CommitStep::Pending);
    const bool renamed = outcome.SetPending().ok;
    if (renamed) CommitStepReached(CommitStep::Renamed);
    if (!renamed || !outcome.Commit().ok) {
        // The target is as it was: so is the log. Should the log fail now, the batch stays
        // pending with no file, and the next export asks about it.
        committed.log = batch->log.Drop(pending.number);
        if (committed.log.ok) committed.batch = 0;
        return committed;
    }
    CommitStepReached(CommitStep::Replaced);
    committed.log = batch->log.MarkDone(pending.number);
    return committed;
}

}  // namespace dralmoft
