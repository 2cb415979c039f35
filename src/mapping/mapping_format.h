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

// What the file format cannot keep: an entry that would come back from a save and a load
// under another key or with another account. The reader trims each line and splits it at
// its first ';', so a key cannot begin with white space or hold a ';', an account cannot
// end with white space (a blank one removes the entry instead), and neither can hold a
// line break.
enum class Unstorable {
    None,
    KeyHoldsSemicolon,
    KeyBeginsWithBlank,
    KeyHoldsLineBreak,
    AccountEndsWithBlank,
    AccountHoldsLineBreak,
};
[[nodiscard]] Unstorable CheckStorable(std::string_view key, std::string_view account);

// The encoding an account file was found in. Files are written in Windows-1253; one saved
// by another editor in UTF-8 or UTF-16 is read in its encoding all the same.
enum class TextEncoding { Windows1253, Utf8, Utf16 };
struct DecodedText {
    std::string text;  // Windows-1253
    TextEncoding encoding = TextEncoding::Windows1253;
};
// UTF-16 (with its byte-order mark, either order) and UTF-8 with a mark are certain; a file
// without a mark is UTF-8 when it is well-formed UTF-8 and holds at least one multi-byte
// sequence (a Greek Windows-1253 file never is). Everything else is Windows-1253.
[[nodiscard]] DecodedText DecodeAccountText(std::string bytes);

// Adds every line of `content` to the table; a later line wins over an earlier one.
void ReadAccountText(std::string_view content, AccountMap& table);
void ReadAccountText(std::string_view content, VatAccountMap& table);

// The file's bytes for a table.
[[nodiscard]] std::string WriteAccountText(const AccountMap& table);
[[nodiscard]] std::string WriteAccountText(const VatAccountMap& table);

}  // namespace dralmoft
