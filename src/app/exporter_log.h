#pragma once
// The command-line exporter's use of the export log: what it holds of the period before
// the run, the batch after the file is written, and the log's own actions (--history,
// --forget). Each failure is told on standard error with SQLite's text.

#include "app/exporter_options.h"
#include "export/export_log.h"
#include "export/export_log_observer.h"
#include "export/export_outcome.h"
#include "export/export_to_file.h"

namespace dralmoft {

// Opens the log of the current directory and reads what it holds of the options'
// period; warns on standard error when the whole period is exported again over earlier
// batches. A check leaves the log closed where there is none. False (told) when the log
// cannot be opened or read.
[[nodiscard]] bool ReadExportLog(const ExporterOptions& options, ExportLog& log, LoggedDigests& logged);

// Records a Written export. False (told: the file was written, the log was not) when the
// log cannot be written.
[[nodiscard]] bool RecordInExportLog(ExportLog& log, const ExportRequest& request, const ExportOutcome& outcome,
                                     const ExportLogObserver& observer);

// --history or --forget N: the exit code.
[[nodiscard]] int RunLogAction(const ExporterOptions& options);

}  // namespace dralmoft
