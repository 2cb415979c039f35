#pragma once
// What the export log holds of a period, read before its export: the latest digest of
// every document of the period's years (for "only new and changed", and for the check's
// changed and already exported rows), the batches that exported documents of it, and the
// log's change count, all as of one moment.

#include "log/export_log.h"

namespace dralmoft {

struct LoggedPeriod {
    LoggedDigests digests;
    PeriodExports exports;     // empty unless asked for
    std::int64_t changes = 0;  // the log's change count as read
};

// Reads the period from..to (OLE dates at midnight) from the open log; `withBatches` also
// reads which batches hold documents dated in it.
[[nodiscard]] LogStatus ReadLoggedPeriod(ExportLog& log, double from, double to, bool withBatches,
                                         LoggedPeriod& period);

}  // namespace dralmoft
