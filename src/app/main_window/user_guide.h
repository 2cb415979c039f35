#pragma once
// The user guide, guide.html beside the program, opened in the default browser (F1).

#include <windows.h>

#include <string>

namespace dralmoft {

// The guide's full path: beside the running program.
[[nodiscard]] std::wstring UserGuidePath();

// Hands the guide to the program Windows opens .html files with; a missing guide, or
// one no program would open, is told over `owner`.
void OpenUserGuide(HWND owner);

}  // namespace dralmoft
