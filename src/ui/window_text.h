#pragma once
// Texts between the window and the program: controls speak UTF-16, the program holds
// Windows-1253. Resource strings are loaded as the program's texts.

#include <windows.h>

#include <string>
#include <string_view>

namespace dralmoft {

[[nodiscard]] std::wstring ToWide(std::string_view text);
[[nodiscard]] std::string FromWide(std::wstring_view text);

[[nodiscard]] std::string GetWindowText1253(HWND window);
void SetWindowText1253(HWND window, std::string_view text);

// String `id` of the program's string table, as UTF-16 and as the program's text.
[[nodiscard]] std::wstring LoadWideString(UINT id);
[[nodiscard]] std::string LoadString1253(UINT id);

}  // namespace dralmoft
