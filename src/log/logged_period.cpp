#include "log/logged_period.h"

#include "base/iso_date.h"

namespace dralmoft {

LogStatus ReadLoggedPeriod(ExportLog& log, double from, double to, bool withBatches, LoggedPeriod& period) {
    // One reading: a batch recorded between two of its queries is seen by both or neither.
    const ExportLog::Reading reading(log);
    LogStatus status = reading.Status();
    if (status.ok) status = log.Changes(period.changes);
    // Series restart each year, so identities are looked up by the year of their date.
    if (status.ok) status = log.LatestDigests(OleYear(from), OleYear(to), period.digests);
    if (status.ok && withBatches) status = log.InPeriod(FormatIsoDate(from), FormatIsoDate(to), period.exports);
    return status;
}

}  // namespace dralmoft
