#pragma once
// The text of the account files: one "key;account" line per entry, CR LF, Windows-1253.
// Reading is forgiving (any line gives an entry); writing keeps only the entries whose
// account is not blank, in key order.

#include <string>
#include <string_view>

#include "mapping/account_map.h"

namespace dralmoft {

// White space as the C library counts it: blank, tab, LF, vertical tab, form feed, CR.
[[nodiscard]] std::string_view TrimSpace(std::string_view text);

// Splits a trimmed line at its first ';': key before, account after. A line without
// ';' is an account under the empty key.
struct MappingLine {
    std::string_view key;
    std::string_view account;
};
[[nodiscard]] MappingLine SplitMappingLine(std::string_view line);

// The VAT rate a key text stands for: leading white space skipped, then the longest
// prefix that reads as a decimal number (sign, digits, '.', digits, exponent, or an
// infinity); 0 when there is none. Never NaN, so the table's order always holds.
[[nodiscard]] double ParseVatKey(std::string_view text);

// "%f": fixed point, six decimals, '.' whatever the locale.
[[nodiscard]] std::string FormatVatKey(double rate);

// Adds every line of `content` to the table; a later line wins over an earlier one.
void ReadAccountText(std::string_view content, AccountMap& table);
void ReadAccountText(std::string_view content, VatAccountMap& table);

// The file's bytes for a table.
[[nodiscard]] std::string WriteAccountText(const AccountMap& table);
[[nodiscard]] std::string WriteAccountText(const VatAccountMap& table);

}  // namespace dralmoft
