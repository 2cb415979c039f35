#pragma once
// What the export log holds of a period, read before its export: the latest digest of
// every document of the period's years (for "only new and changed", and for the check's
// changed and already exported rows), and the batches that exported documents of it.

#include "log/export_log.h"

namespace dralmoft {

struct LoggedPeriod {
    LoggedDigests digests;
    PeriodExports exports;  // empty unless asked for
};

// Opens the log at `path` (which must be there: none is created) and reads the period
// from..to (OLE dates at midnight); `withBatches` also reads which batches hold documents
// dated in it. On a failure the log is left closed, so that nothing half read is used.
[[nodiscard]] LogStatus OpenLoggedPeriod(ExportLog& log, const std::u16string& path, double from, double to,
                                         bool withBatches, LoggedPeriod& period);

}  // namespace dralmoft
