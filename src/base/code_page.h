#pragma once
// The program's texts are Windows-1253 bytes; the server and the window speak UTF-16;
// the OEM export speaks code page 737. These conversions give exactly what Greek Windows'
// own give (their tables are dumped from the system by tools/windows/code_page_dump.cpp), and do
// not depend on the code pages of the machine they run on: account files written through
// the system's conversions are looked up with the same keys.

#include <optional>
#include <string>
#include <string_view>

namespace dralmoft {

// Every byte has a UTF-16 counterpart (the bytes that 1253 leaves undefined map to the
// same private and control points Windows uses), so 1253 -> UTF-16 -> 1253 is lossless.
std::u16string Cp1253ToUtf16(std::string_view text);
// The same into `out`, which has room for text.size() units.
void Cp1253ToUtf16(std::string_view text, char16_t* out);

// As WideCharToMultiByte(1253, 0) does by default: characters 1253 cannot hold take
// their best fit (é -> e, fullwidth Ｂ -> B), and only those without one become '?', one
// per UTF-16 unit (a character outside the BMP gives "??").
std::string Utf16ToCp1253(std::u16string_view text);
// The same, into `out` (whose memory is kept).
void AssignCp1253(std::string& out, std::u16string_view text);
// Whether every unit of `text` has a 1253 byte of its own, so that Utf16ToCp1253 gives it
// back unchanged (no best fit, no '?').
[[nodiscard]] bool HasExactCp1253Form(std::u16string_view text);
// Whether a 1253 text has a byte that becomes '?' in code page 737 (neither a mapping nor
// a best fit): the OEM export loses it.
[[nodiscard]] bool LosesInCp737(std::string_view text);

// UTF-8 as UTF-16, or nothing when `text` is not well-formed UTF-8 (overlong forms,
// surrogates, values past U+10FFFF and cut sequences are all refused).
[[nodiscard]] std::optional<std::u16string> Utf8ToUtf16(std::string_view text);
// UTF-16 as UTF-8, appended; a lone surrogate becomes U+FFFD.
void AppendUtf8(std::string& out, std::u16string_view text);

// The OEM form of a 1253 text, as CharToOemA gives it on Greek Windows: through UTF-16 to
// code page 737 with best fit (• § ¶ -> 0x07 0x15 0x14), '?' where 737 has neither.
std::string Cp1253ToCp737(std::string_view text);
// The same, in place.
void ConvertCp1253ToCp737(std::string& text);

}  // namespace dralmoft
