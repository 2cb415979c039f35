#pragma once
// Text for a console program: UTF-16 to a Windows console, UTF-8 to anything else (a
// pipe, a file, Wine's Unix terminal), so Greek reads correctly in both.

#include <windows.h>

#include <string_view>

namespace dralmoft {

void WriteConsoleText(DWORD stream, std::u16string_view text);
// The same for a text already in UTF-8 (a report of half a million lines): to anything
// but a console its bytes as they are.
void WriteConsoleUtf8(DWORD stream, std::string_view utf8);
// A line of the program's own text (a message, a summary), ended with CR LF.
void Tell(DWORD stream, std::wstring_view text);

}  // namespace dralmoft
