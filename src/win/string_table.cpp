#include "win/string_table.h"

#include "base/message_text.h"
#include "win/wide_text.h"

namespace dralmoft {

std::wstring LoadWideString(UINT id) {
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW gives a pointer into the resource itself.
    const int length = ::LoadStringW(::GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

std::string LoadString1253(UINT id) { return FromWide(LoadWideString(id)); }

std::wstring LoadMessage(UINT id, std::initializer_list<std::wstring_view> parts) {
    return FillMessage(LoadWideString(id), parts);
}

}  // namespace dralmoft
