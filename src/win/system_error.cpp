#include "win/system_error.h"

#include <windows.h>

#include <iterator>

#include "base/code_page.h"

namespace dralmoft {

std::string SystemErrorText(unsigned long error) {
    wchar_t buffer[512] = {};
    DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                    buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
    while (length > 0 && (buffer[length - 1] == L'\n' || buffer[length - 1] == L'\r' || buffer[length - 1] == L' '))
        --length;
    if (length == 0) return "error " + std::to_string(error);
    return Utf16ToCp1253(std::u16string_view(reinterpret_cast<const char16_t*>(buffer), length));
}

}  // namespace dralmoft
