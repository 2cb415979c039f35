#pragma once
// Putting a written export into the log: its batch (when, by whom, what, where) and the
// documents its log observer saw written.

#include <string>

#include "export/export_to_file.h"
#include "log/export_log.h"
#include "log/export_log_observer.h"

namespace dralmoft {

// Who exported, and when: the Windows user and machine, UTC "YYYY-MM-DDTHH:MM:SSZ".
struct ExportAuthor {
    std::string when;
    std::u16string user;
    std::u16string machine;
};

// The batch of an export whose file was written.
[[nodiscard]] ExportBatch BatchOf(const ExportRequest& request, const ExportOutcome& outcome,
                                  const ExportLogObserver& observer, const ExportAuthor& author);

// Records the batch of a Written export and its documents in one transaction; `number`
// is the batch's. Nothing is recorded for any other outcome.
[[nodiscard]] LogStatus RecordExport(ExportLog& log, const ExportRequest& request, const ExportOutcome& outcome,
                                     const ExportLogObserver& observer, const ExportAuthor& author,
                                     std::int64_t& number);

}  // namespace dralmoft
