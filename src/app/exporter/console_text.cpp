#include "app/exporter/console_text.h"

#include <algorithm>
#include <string>

namespace dralmoft {

namespace {

void WriteBytes(HANDLE handle, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        if (!::WriteFile(handle, bytes.data(), size, &written, nullptr) || written == 0) return;
        bytes.remove_prefix(written);
    }
}

}  // namespace

void WriteConsoleUtf8(DWORD stream, std::string_view utf8) {
    const HANDLE handle = ::GetStdHandle(stream);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
    DWORD mode = 0;
    if (!::GetConsoleMode(handle, &mode)) return WriteBytes(handle, utf8);
    const int units = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), units);
    DWORD written = 0;
    ::WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

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
    WriteBytes(handle, utf8);
}

void Tell(DWORD stream, std::wstring_view text) {
    std::u16string line(text.begin(), text.end());
    line += u"\r\n";
    WriteConsoleText(stream, line);
}

}  // namespace dralmoft
