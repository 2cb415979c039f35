#include "ui/window_text.h"

#include <vector>

#include "data/code_page.h"

namespace dralmoft {

std::wstring ToWide(std::string_view text) {
    const std::u16string wide = Cp1253ToUtf16(text);
    return {wide.begin(), wide.end()};
}

std::string FromWide(std::wstring_view text) {
    return Utf16ToCp1253(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

std::string GetWindowText1253(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, buffer.data(), length + 1);
    return FromWide(std::wstring_view(buffer.data(), static_cast<std::size_t>(copied)));
}

void SetWindowText1253(HWND window, std::string_view text) { ::SetWindowTextW(window, ToWide(text).c_str()); }

std::wstring LoadWideString(UINT id) {
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW gives a pointer into the resource itself.
    const int length = ::LoadStringW(::GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

std::string LoadString1253(UINT id) { return FromWide(LoadWideString(id)); }

}  // namespace dralmoft
