#pragma once
// The question between an export's run and the replace of its target, when the period
// check found problems the ledger package would take wrongly.

#include <windows.h>

#include <string_view>

#include "check/check_report.h"

namespace dralmoft {

enum class ProblemsAnswer {
    Save,     // the file replaces the target as it is
    Cancel,   // the file is not written: the target stays as it was
    Details,  // the report first, then the question again
};

// The question's buttons other than "Άκυρο" (IDCANCEL).
inline constexpr int kProblemsSaveButton = 100;
inline constexpr int kProblemsDetailsButton = 101;

// Asks over `owner`, naming `path` as the user typed it and counting the report's
// blocking problems per code.
[[nodiscard]] ProblemsAnswer AskAboutProblems(HWND owner, std::wstring_view path, const CheckReport& report);

}  // namespace dralmoft
