#include "win/bstr.h"

#include "base/code_page.h"
#include "base/server_error.h"

namespace dralmoft {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

Bstr::Bstr(std::u16string_view text)
    : m_value(::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()))) {
    if (m_value == nullptr) throw ServerError(kStatusOutOfMemory);
}

Bstr& Bstr::operator=(Bstr&& other) noexcept {
    if (this != &other) {
        ::SysFreeString(m_value);
        m_value = other.m_value;
        other.m_value = nullptr;
    }
    return *this;
}

BSTR* Bstr::Put() noexcept {
    ::SysFreeString(m_value);
    m_value = nullptr;
    return &m_value;
}

std::u16string_view Bstr::View() const noexcept {
    if (m_value == nullptr) return {};
    return {reinterpret_cast<const char16_t*>(m_value), ::SysStringLen(m_value)};
}

std::string ToText(const Bstr& value) { return Utf16ToCp1253(value.View()); }

Bstr ToBstr(std::string_view text) {
    // Straight into the BSTR, with no UTF-16 string between.
    Bstr value;
    *value.Put() = ::SysAllocStringLen(nullptr, static_cast<UINT>(text.size()));
    if (value.Get() == nullptr) throw ServerError(kStatusOutOfMemory);
    Cp1253ToUtf16(text, reinterpret_cast<char16_t*>(value.Get()));
    return value;
}

}  // namespace dralmoft
