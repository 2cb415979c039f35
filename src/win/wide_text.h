#pragma once
// The program's texts (Windows-1253) as the wide strings of the Windows calls, and
// back: by the code page's own table, whatever the machine's code pages are.

#include <string>
#include <string_view>

namespace dralmoft {

[[nodiscard]] std::wstring ToWide(std::string_view text);
[[nodiscard]] std::string FromWide(std::wstring_view text);

// The UTF-16 of the portable units (paths, server texts) as a wide string, and back:
// the same units, as wchar_t is 16 bits on Windows.
[[nodiscard]] std::wstring AsWide(std::u16string_view text);
[[nodiscard]] std::u16string AsUtf16(std::wstring_view text);

}  // namespace dralmoft
