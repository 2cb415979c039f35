#include "session/pending_batches.h"

#include <string>

#include "base/fnv_digest.h"
#include "data/atomic_save.h"

namespace dralmoft {
namespace {

// The batch's file under either of its names: pending, or still temporary when the
// export was killed before it renamed it.
std::vector<std::u16string> FilesOf(const ExportBatch& batch) {
    if (batch.temporary.empty()) return {};
    return {batch.temporary, TemporaryPathOf(batch.temporary)};
}

bool TargetHoldsBatch(FileSystem& files, const ExportBatch& batch) {
    // An empty file has a digest too: a target that is not there holds nothing.
    if (batch.target.empty() || !files.SizeOf(batch.target)) return false;
    std::string content;
    if (!files.ReadIfPresent(batch.target, content).ok) return false;
    FnvDigest digest;
    digest.AddBytes(content);
    return FnvDigest::Hex(digest.Value()) == batch.fileDigest;
}

}  // namespace

PendingFate FateOf(FileSystem& files, const ExportBatch& batch) {
    for (const std::u16string& file : FilesOf(batch)) {
        if (!files.SizeOf(file)) continue;
        // The exporting program holds its file until the replace: what cannot be removed
        // is being exported now.
        files.Remove(file);
        return files.SizeOf(file) ? PendingFate::InProgress : PendingFate::Dropped;
    }
    return TargetHoldsBatch(files, batch) ? PendingFate::Done : PendingFate::Uncertain;
}

LogStatus SettlePending(ExportLog& log, FileSystem& files, std::vector<ExportBatch>& uncertain) {
    uncertain.clear();
    std::vector<ExportBatch> pending;
    if (LogStatus status = log.PendingBatches(pending); !status.ok) return status;
    for (const ExportBatch& batch : pending) {
        LogStatus status;
        switch (FateOf(files, batch)) {
            case PendingFate::Done: status = log.MarkDone(batch.number); break;
            case PendingFate::Dropped: status = log.Drop(batch.number); break;
            case PendingFate::InProgress: break;
            case PendingFate::Uncertain: uncertain.push_back(batch); break;
        }
        if (!status.ok) return status;
    }
    return LogStatus::Success();
}

LogStatus SettleAs(ExportLog& log, FileSystem& files, const ExportBatch& batch, bool posted) {
    if (posted) return log.MarkDone(batch.number);
    for (const std::u16string& file : FilesOf(batch)) files.Remove(file);
    return log.Drop(batch.number);
}

}  // namespace dralmoft
