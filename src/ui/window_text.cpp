#include "ui/window_text.h"

#include <vector>

#include "win/wide_text.h"

namespace dralmoft {

std::string GetWindowText1253(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, buffer.data(), length + 1);
    return FromWide(std::wstring_view(buffer.data(), static_cast<std::size_t>(copied)));
}

void SetWindowText1253(HWND window, std::string_view text) { ::SetWindowTextW(window, ToWide(text).c_str()); }

}  // namespace dralmoft
