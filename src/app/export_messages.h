#pragma once
// What the user reads when an export did not reach its file: one Greek text per way it
// can fail, the same in the window's message box and on the exporter's standard error.

#include <optional>
#include <string>
#include <string_view>

#include "export/export_outcome.h"

namespace dralmoft {

// The message for an outcome that failed, naming `path` (as the user gave it); nothing
// for one that is pending, written or discarded.
[[nodiscard]] std::optional<std::string> ExportFailureText(const ExportOutcome& outcome, std::string_view path);

}  // namespace dralmoft
