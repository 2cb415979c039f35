#include "win/wide_text.h"

#include "base/code_page.h"

namespace dralmoft {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");

std::wstring ToWide(std::string_view text) { return AsWide(Cp1253ToUtf16(text)); }

std::string FromWide(std::wstring_view text) { return Utf16ToCp1253(AsUtf16(text)); }

std::wstring AsWide(std::u16string_view text) { return {text.begin(), text.end()}; }

std::u16string AsUtf16(std::wstring_view text) { return {text.begin(), text.end()}; }

}  // namespace dralmoft
