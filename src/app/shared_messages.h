#pragma once
// The Greek texts that both programs show, in the window's message boxes and on the
// exporter's standard error: how an export failed, and what the settings lack.

#include <optional>
#include <string>
#include <string_view>

#include "data/file_system.h"
#include "export/export_outcome.h"

namespace dralmoft {

// The message for an outcome that failed, naming `path` (as the user gave it); nothing
// for one that is pending, written or discarded.
[[nodiscard]] std::optional<std::string> ExportFailureText(const ExportOutcome& outcome, std::string_view path);

// The ERP's database location is not set in the settings key.
[[nodiscard]] std::string DatabaseNotSetText();

// The line that names a lock or temporary file a failure happened on; "" when none did.
[[nodiscard]] std::string HelperFileText(const FileStatus& status);

}  // namespace dralmoft
