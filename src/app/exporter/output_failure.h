#pragma once
// Standard output that did not take the exporter's product (a check's problems and summary,
// the history): a cut report must not pass for a whole one.

namespace dralmoft {

// Tells on standard error why standard output failed (the thread's last error) and
// answers the exit code for a failure.
[[nodiscard]] int OutputNotWritten();

}  // namespace dralmoft
