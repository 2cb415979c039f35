#include "app/exporter/console_text.h"

#include <algorithm>
#include <string>

namespace dralmoft {

namespace {

// Hands `text` to `write` in pieces of at most `piece` units until all is taken; a piece
// that takes nothing is a failure too.
template <class Char, class Write>
bool WriteWhole(std::basic_string_view<Char> text, std::size_t piece, Write write) {
    while (!text.empty()) {
        DWORD written = 0;
        if (!write(text.data(), static_cast<DWORD>(std::min(text.size(), piece)), written)) return false;
        if (written == 0) {
            ::SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        text.remove_prefix(written);
    }
    return true;
}

bool WriteBytes(HANDLE handle, std::string_view bytes) {
    return WriteWhole(bytes, std::size_t{1} << 30, [handle](const char* data, DWORD size, DWORD& written) {
        return ::WriteFile(handle, data, size, &written, nullptr) != FALSE;
    });
}

bool WriteWide(HANDLE handle, std::wstring_view text) {
    return WriteWhole(text, std::size_t{1} << 24, [handle](const wchar_t* data, DWORD size, DWORD& written) {
        return ::WriteConsoleW(handle, data, size, &written, nullptr) != FALSE;
    });
}

// The stream's handle; null (with the system's error set) when the program has none.
HANDLE StreamHandle(DWORD stream) {
    const HANDLE handle = ::GetStdHandle(stream);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    if (handle == nullptr) ::SetLastError(ERROR_INVALID_HANDLE);
    return handle;
}

}  // namespace

bool WriteConsoleUtf8(DWORD stream, std::string_view utf8) {
    const HANDLE handle = StreamHandle(stream);
    if (handle == nullptr) return false;
    DWORD mode = 0;
    if (!::GetConsoleMode(handle, &mode)) return WriteBytes(handle, utf8);
    const int units = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), units);
    return WriteWide(handle, wide);
}

bool WriteConsoleText(DWORD stream, std::u16string_view text) {
    const HANDLE handle = StreamHandle(stream);
    if (handle == nullptr) return false;
    const std::wstring_view wide(reinterpret_cast<const wchar_t*>(text.data()), text.size());
    DWORD mode = 0;
    if (::GetConsoleMode(handle, &mode)) return WriteWide(handle, wide);
    const int bytes =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), bytes, nullptr, nullptr);
    return WriteBytes(handle, utf8);
}

bool Tell(DWORD stream, std::wstring_view text) {
    std::u16string line(text.begin(), text.end());
    line += u"\r\n";
    return WriteConsoleText(stream, line);
}

}  // namespace dralmoft
