#pragma once
// Text for a console program: UTF-16 to a Windows console, UTF-8 to anything else (a
// pipe, a file, Wine's Unix terminal), so Greek reads correctly in both. Each answers
// whether the stream took the text whole; when not, the system's error is the thread's
// last error.

#include <windows.h>

#include <string_view>

namespace dralmoft {

[[nodiscard]] bool WriteConsoleText(DWORD stream, std::u16string_view text);
// The same for a text already in UTF-8 (a report of half a million lines): to anything
// but a console its bytes as they are.
[[nodiscard]] bool WriteConsoleUtf8(DWORD stream, std::string_view utf8);
// A line of the program's own text (a message, a summary), ended with CR LF. Where the
// line is the product (a check's summary, the history), the caller looks at the answer;
// a message on standard error has nowhere else to go.
bool Tell(DWORD stream, std::wstring_view text);

}  // namespace dralmoft
