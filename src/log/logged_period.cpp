#include "log/logged_period.h"

#include "base/iso_date.h"

namespace dralmoft {

LogStatus OpenLoggedPeriod(ExportLog& log, const std::u16string& path, double from, double to, bool withBatches,
                           LoggedPeriod& period) {
    LogStatus status = log.OpenExisting(path);
    // Series restart each year, so identities are looked up by the year of their date.
    if (status.ok) status = log.LatestDigests(OleYear(from), OleYear(to), period.digests);
    if (status.ok && withBatches) status = log.InPeriod(FormatIsoDate(from), FormatIsoDate(to), period.exports);
    if (!status.ok) log = ExportLog();
    return status;
}

}  // namespace dralmoft
