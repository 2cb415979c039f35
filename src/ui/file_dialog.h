#pragma once
// The system's dialog for choosing a file to save to.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace dralmoft {

// Asks for a file to save to, starting in the current folder; the path as chosen (in any
// language), or nothing when the user cancels. `filter` is "description|patterns||".
// The current folder stays as it was: the account files are those of the start folder.
[[nodiscard]] std::optional<std::wstring> AskSaveFile(HWND owner, const std::wstring& title, std::wstring filter,
                                                      const wchar_t* defaultExtension = nullptr);

}  // namespace dralmoft
