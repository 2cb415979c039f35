#pragma once
// A window's text as the program's text: controls speak UTF-16, the program holds
// Windows-1253.

#include <windows.h>

#include <string>
#include <string_view>

namespace dralmoft {

[[nodiscard]] std::string GetWindowText1253(HWND window);
void SetWindowText1253(HWND window, std::string_view text);

}  // namespace dralmoft
