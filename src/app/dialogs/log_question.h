#pragma once
// The question before an export whose period the export log holds documents of: the
// whole period again, only what is new or changed since, or nothing.

#include <windows.h>

#include <string_view>

#include "log/export_log.h"
#include "session/export_session.h"

namespace dralmoft {

// The question's buttons other than "Άκυρο" (IDCANCEL).
inline constexpr int kLogAllButton = 110;
inline constexpr int kLogOnlyNewButton = 111;

// Asks over `owner`, naming the period (as the user writes it), the file as typed and
// the batches that exported documents of the period.
[[nodiscard]] LoggedPeriodChoice AskAboutLoggedPeriod(HWND owner, std::wstring_view period, std::wstring_view path,
                                                      const PeriodExports& exports);

}  // namespace dralmoft
