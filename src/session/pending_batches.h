#pragma once
// Pending batches of the export log: an export killed between making its batch pending
// and marking it done leaves one. Whoever exports next settles it from what the files
// show, before it reads the log: the pending file still there means the target was never
// replaced (the batch goes, and the file with it); the pending file gone and the target
// holding the batch's bytes means it was (the batch counts). Anything else is for the
// user to say: whether the file reached the ledger.

#include <cstdint>
#include <vector>

#include "data/file_system.h"
#include "log/export_log.h"

namespace dralmoft {

enum class PendingFate : std::uint8_t {
    Done,        // its file replaced the target
    Dropped,     // its file never replaced the target, and is removed
    InProgress,  // another program is exporting it now: its pending file is held
    Uncertain,   // the target moved, was replaced again or cannot be read
};

// What the files say of pending batch `batch`; a pending file found is removed (Dropped)
// unless another program holds it (InProgress).
[[nodiscard]] PendingFate FateOf(FileSystem& files, const ExportBatch& batch);

// Settles each pending batch of the log as its fate says; the uncertain ones are left
// pending and returned, oldest first.
[[nodiscard]] LogStatus SettlePending(ExportLog& log, FileSystem& files, std::vector<ExportBatch>& uncertain);

// The user's word on an uncertain batch: posted, it counts; not posted, it goes (with its
// pending file, if one is left).
[[nodiscard]] LogStatus SettleAs(ExportLog& log, FileSystem& files, const ExportBatch& batch, bool posted);

}  // namespace dralmoft
