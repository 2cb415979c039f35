#include "app/console_text.h"

#include <string>

namespace dralmoft {

void WriteConsoleText(DWORD stream, std::u16string_view text) {
    const HANDLE handle = ::GetStdHandle(stream);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    DWORD mode = 0;
    DWORD written = 0;
    if (::GetConsoleMode(handle, &mode)) {
        ::WriteConsoleW(handle, wide, static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const int bytes =
        ::WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(text.size()), utf8.data(), bytes, nullptr, nullptr);
    ::WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

}  // namespace dralmoft
