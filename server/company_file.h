#pragma once
// Reading company.json (UTF-8). A file that is not valid JSON, or whose content breaks
// the format's rules, is refused with a text that says where and what.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/iso_date.h"
#include "company.h"

namespace demo {

class CompanyFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;  // UTF-8 text, without the file's name
};

[[nodiscard]] Company ParseCompany(std::string_view json);

// UTF-8 to UTF-16; the parser has already refused ill-formed UTF-8.
[[nodiscard]] std::u16string Utf8ToUtf16(std::string_view text);
// Appends one code point as UTF-8.
void AppendUtf8(std::string& out, std::uint32_t codePoint);
// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
[[nodiscard]] std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace demo
