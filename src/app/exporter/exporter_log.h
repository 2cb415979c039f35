#pragma once
// The export log's own actions on the command line (--history, --forget N), each failure
// told on standard error with SQLite's text. Exports read and record the log through
// their session.

#include "session/exporter_options.h"

namespace dralmoft {

// --history or --forget N: the exit code.
[[nodiscard]] int RunLogAction(const ExporterOptions& options);

}  // namespace dralmoft
