#pragma once
// Who is exporting, for the export log: the Windows user and machine, and the time now.

#include "log/export_recording.h"

namespace dralmoft {

// The user's and the machine's names as Windows gives them (empty when it cannot), and
// the time in UTC, so that a log shared by offices in other time zones reads one clock.
[[nodiscard]] ExportAuthor CurrentExportAuthor();

}  // namespace dralmoft
