#pragma once
// Dates written "YYYY-MM-DD" (the command line, the demo company) as OLE Automation
// dates, days since 30 December 1899.

#include <optional>
#include <string>
#include <string_view>

namespace dralmoft {

// "YYYY-MM-DD", optionally followed by "T" or a blank and "HH:MM" or "HH:MM:SS".
// Empty when the text is not such a date (30 February, 25:00, ...).
[[nodiscard]] std::optional<double> ParseOleDate(std::string_view text);

// The day of an OLE date as "YYYY-MM-DD" (its time left out); empty for NaN and for days
// past what an OLE date can name (years 100 to 9999).
[[nodiscard]] std::string FormatIsoDate(double oleDate);
// The year of an OLE date; 0 where FormatIsoDate gives nothing.
[[nodiscard]] int OleYear(double oleDate);

}  // namespace dralmoft
