#pragma once
// An owned BSTR, and the conversions between server strings and the program's texts.

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>

namespace dralmoft {

class Bstr {
public:
    Bstr() = default;
    // Raises ServerError(E_OUTOFMEMORY) when the string cannot be allocated.
    explicit Bstr(std::u16string_view text);
    ~Bstr() { ::SysFreeString(m_value); }
    Bstr(Bstr&& other) noexcept : m_value(other.m_value) { other.m_value = nullptr; }
    Bstr& operator=(Bstr&& other) noexcept;
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;

    [[nodiscard]] BSTR Get() const noexcept { return m_value; }
    // For out-parameters: frees what is held, then gives the slot to fill.
    [[nodiscard]] BSTR* Put() noexcept;
    // The text as UTF-16; a null BSTR is the empty text.
    [[nodiscard]] std::u16string_view View() const noexcept;

private:
    BSTR m_value = nullptr;
};

// A server string as the program's Windows-1253 text (null gives "").
[[nodiscard]] std::string ToText(const Bstr& value);
// A program text as a server string.
[[nodiscard]] Bstr ToBstr(std::string_view text);

}  // namespace dralmoft
