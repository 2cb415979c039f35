#pragma once
// Text for a console program: UTF-16 to a Windows console, UTF-8 to anything else (a
// pipe, a file, Wine's Unix terminal), so Greek reads correctly in both.

#include <windows.h>

#include <string_view>

namespace dralmoft {

void WriteConsoleText(DWORD stream, std::u16string_view text);

}  // namespace dralmoft
