#pragma once
// The export of a period to a file, written once for the window and the command-line
// exporter: the file is prepared, the run reads the source and writes the records, and
// the outcome says how it ended. Portable: the server comes in as a DocumentSource and
// the locale's dates as a formatter.

#include <functional>
#include <string>

#include "data/file_system.h"
#include "export/document_observer.h"
#include "export/document_source.h"
#include "export/export_outcome.h"
#include "export/export_run.h"
#include "mapping/account_tables.h"

namespace dralmoft {

// The days a period may span (OLE dates): 1900-01-01 to 9999-12-31, what the log's dates,
// the user's date form and the window's date pickers all hold.
inline constexpr double kFirstPeriodDay = 2.0;
inline constexpr double kLastPeriodDay = 2958465.0;

struct ExportRequest {
    double from = 0.0;  // the period's first and last days: OLE dates at midnight
    double to = 0.0;
    std::u16string path;
    // The field separator; an empty one becomes ";" when the first record needs it.
    std::string separator;
    // True keeps code page 1253, false writes the OEM code page 737. Read once, before the
    // run: the records are written on another thread than the window's.
    bool keepCodePage = true;
};

// What the export reads, where it writes, and whom it tells.
struct ExportServices {
    DocumentSource& source;
    AccountTables accounts;
    FileSystem& files;
    DateFormatter formatDate;
    ExportProgress* progress = nullptr;
    DocumentObserver* observer = nullptr;
    // Follows the run, when given (the period check).
    RunWatcher* watcher = nullptr;
};

// Runs the export. A completed run gives a Pending outcome; every failure leaves the
// target as it was and no temporary file behind. Server failures are caught and given in
// the outcome; nothing else is caught.
[[nodiscard]] ExportOutcome ExportToFile(const ExportRequest& request, const ExportServices& services);

// The same run with no file (the request's path is not used): Checked, ServerFailed or
// DateFailed.
// What it would have written goes through the services' watcher.
[[nodiscard]] ExportOutcome CheckPeriod(const ExportRequest& request, const ExportServices& services);

}  // namespace dralmoft
