#include "export/logged_period.h"

#include "data/iso_date.h"

namespace dralmoft {

LogStatus ReadLoggedPeriod(ExportLog& log, double from, double to, bool withBatches, LoggedPeriod& period) {
    // Series restart each year, so identities are looked up by the year of their date.
    LogStatus status = log.LatestDigests(OleYear(from), OleYear(to), period.digests);
    if (!status.ok || !withBatches) return status;
    return log.InPeriod(FormatIsoDate(from), FormatIsoDate(to), period.exports);
}

}  // namespace dralmoft
