#pragma once
// The program's texts from its string table (the resources of the running program), for
// the window's messages and the command-line exporter's alike.

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>

namespace dralmoft {

// String `id`, as UTF-16 and as the program's text; empty when there is none.
[[nodiscard]] std::wstring LoadWideString(UINT id);
[[nodiscard]] std::string LoadString1253(UINT id);

// String `id` with its %1, %2, ... filled by `parts`: wide, so that a file's path in any
// language reaches the user as it is.
[[nodiscard]] std::wstring LoadMessage(UINT id, std::initializer_list<std::wstring_view> parts);

}  // namespace dralmoft
