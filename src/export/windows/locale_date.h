#pragma once
// The export file's dates: the date part only, in the user's short date form, as the
// automation runtime writes it for the user's locale (31/12/2004 in Greece).

#include <optional>
#include <string>

namespace dralmoft {

// The export's form of a date; nothing when the system cannot write it.
[[nodiscard]] std::optional<std::string> FormatUserDate(double oleDate);

// A date for the window's and the console's texts: the user's form, or "YYYY-MM-DD"
// where the system cannot write it.
[[nodiscard]] std::string UserDateText(double oleDate);

}  // namespace dralmoft
