#pragma once
// Dates as the server and the export use them: OLE Automation dates, days since
// 30 December 1899, the fraction being the time of day.

#include <windows.h>

namespace dralmoft {

// The local date and time now.
[[nodiscard]] double OleNow();
[[nodiscard]] double ToOleDate(const SYSTEMTIME& time);
[[nodiscard]] SYSTEMTIME FromOleDate(double date);
// Keeps a date picker's choice within the days `first` to `last`.
void LimitDatePicker(HWND picker, double first, double last);

}  // namespace dralmoft
