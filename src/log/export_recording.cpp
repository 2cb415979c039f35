#include "log/export_recording.h"

#include "base/iso_date.h"

namespace dralmoft {

ExportBatch BatchOf(const ExportRequest& request, const ExportOutcome& outcome, const ExportLogObserver& observer,
                    const ExportAuthor& author) {
    ExportBatch batch;
    batch.when = author.when;
    batch.user = author.user;
    batch.machine = author.machine;
    batch.from = FormatIsoDate(request.from);
    batch.to = FormatIsoDate(request.to);
    batch.path = request.path;
    batch.codePage = request.keepCodePage ? 1253 : 737;
    batch.separator = outcome.separator;
    batch.documents = static_cast<std::int64_t>(observer.Entries().size());
    batch.records = static_cast<std::int64_t>(outcome.summary.records);
    batch.fileDigest = FnvDigest::Hex(outcome.fileDigest);
    return batch;
}

LogStatus RecordExport(ExportLog& log, const ExportRequest& request, const ExportOutcome& outcome,
                       const ExportLogObserver& observer, const ExportAuthor& author, std::int64_t& number) {
    number = 0;
    if (outcome.state != ExportOutcome::State::Written) return LogStatus::Success();
    ExportBatch batch = BatchOf(request, outcome, observer, author);
    if (LogStatus status = log.Record(batch, observer.Entries()); !status.ok) return status;
    number = batch.number;
    return LogStatus::Success();
}

}  // namespace dralmoft
