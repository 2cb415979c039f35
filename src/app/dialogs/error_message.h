#pragma once
// The program's messages to the user: a Greek text from the string table, filled in,
// in a message box over the window.

#include <windows.h>

#include <initializer_list>
#include <string_view>

namespace dralmoft {

// String `id` with its %1, %2, ... filled by `parts`, as an error.
void ShowErrorMessage(HWND owner, UINT id, std::initializer_list<std::wstring_view> parts);
// A text already filled in, as an error.
void ShowErrorText(HWND owner, std::wstring_view text);
// A text already filled in, as information: nothing failed.
void ShowInformation(HWND owner, std::wstring_view text);
// A question with the answers Yes and No, No being the default: true for Yes.
[[nodiscard]] bool AskYesNo(HWND owner, std::wstring_view text);

}  // namespace dralmoft
