#include "mapping/mapping_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "base/code_page.h"
#include "base/number_format.h"

namespace dralmoft {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

template <class Table, class KeyOf>
void ReadLines(std::string_view content, Table& table, KeyOf keyOf) {
    while (!content.empty()) {
        const std::size_t end = content.find('\n');
        const std::string_view raw = content.substr(0, end);
        content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
        const MappingLine line = SplitMappingLine(TrimSpace(raw));
        table[keyOf(line.key)] = std::string(line.account);
    }
}

template <class Table, class Format>
std::string WriteLines(const Table& table, Format formatKey) {
    std::string text;
    for (const auto& [key, account] : table) {
        if (TrimSpace(account).empty()) continue;
        text += formatKey(key);
        text += ';';
        text += account;
        text += "\r\n";
    }
    return text;
}

// Length of the longest prefix of `text` that reads as a decimal number, 0 if none.
std::size_t NumberPrefix(std::string_view text) {
    std::size_t i = 0;
    auto at = [&](std::size_t k) { return k < text.size() ? text[k] : '\0'; };
    if (at(i) == '+' || at(i) == '-') ++i;
    const std::size_t digitsStart = i;
    while (IsDigit(at(i))) ++i;
    std::size_t digits = i - digitsStart;
    if (at(i) == '.') {
        const std::size_t fractionStart = ++i;
        while (IsDigit(at(i))) ++i;
        digits += i - fractionStart;
        if (digits == 0) return 0;  // a lone "." is no number
    }
    if (digits == 0) return 0;
    if (at(i) == 'e' || at(i) == 'E') {
        std::size_t k = i + 1;
        if (at(k) == '+' || at(k) == '-') ++k;
        if (IsDigit(at(k))) {
            while (IsDigit(at(k))) ++k;
            i = k;
        }
    }
    return i;
}

bool StartsWithNoCase(std::string_view text, std::string_view word) {
    if (text.size() < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (c != word[i]) return false;
    }
    return true;
}

}  // namespace

std::string_view TrimSpace(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

MappingLine SplitMappingLine(std::string_view line) {
    const std::size_t semicolon = line.find(';');
    if (semicolon == std::string_view::npos) return {{}, line};
    return {line.substr(0, semicolon), line.substr(semicolon + 1)};
}

double ParseVatKey(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    const bool negative = !text.empty() && text.front() == '-';
    std::string_view unsigned_ = text;
    if (!unsigned_.empty() && (unsigned_.front() == '+' || unsigned_.front() == '-')) unsigned_.remove_prefix(1);
    if (StartsWithNoCase(unsigned_, "inf")) {
        const double infinity = std::numeric_limits<double>::infinity();
        return negative ? -infinity : infinity;
    }

    const std::size_t length = NumberPrefix(text);
    if (length == 0) return 0.0;
    std::string_view number = text.substr(0, length);
    if (number.front() == '+') number.remove_prefix(1);  // from_chars takes no '+'
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Past the range of a double: strtod gives an infinity, or 0 for a tiny value.
        const std::size_t exponent = number.find_first_of("eE");
        const bool tiny =
            exponent != std::string_view::npos && exponent + 1 < number.size() && number[exponent + 1] == '-';
        const double magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        return negative ? -magnitude : magnitude;
    }
    return error == std::errc() ? value : 0.0;
}

std::string FormatVatKey(double rate) { return FormatFixed(rate, 6); }

double StoredVatRate(double rate) {
    if (std::isnan(rate) || std::isinf(rate)) return rate;
    return ParseVatKey(FormatVatKey(rate));
}

Unstorable CheckStorable(std::string_view key, std::string_view account) {
    const auto hasLineBreak = [](std::string_view text) {
        return text.find_first_of("\r\n") != std::string_view::npos;
    };
    if (hasLineBreak(key)) return Unstorable::KeyHoldsLineBreak;
    if (key.find(';') != std::string_view::npos) return Unstorable::KeyHoldsSemicolon;
    if (!key.empty() && IsSpace(key.front())) return Unstorable::KeyBeginsWithBlank;
    if (hasLineBreak(account)) return Unstorable::AccountHoldsLineBreak;
    if (!TrimSpace(account).empty() && IsSpace(account.back())) return Unstorable::AccountEndsWithBlank;
    return Unstorable::None;
}

DecodedText DecodeAccountText(std::string bytes) {
    const auto starts = [&](std::string_view mark) { return std::string_view(bytes).substr(0, mark.size()) == mark; };
    if (starts("\xFF\xFE") || starts("\xFE\xFF")) {
        const bool little = bytes[0] == '\xFF';
        std::u16string wide;
        wide.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const auto first = static_cast<unsigned char>(bytes[i]);
            const auto second = static_cast<unsigned char>(bytes[i + 1]);
            wide.push_back(static_cast<char16_t>(little ? first | second << 8 : first << 8 | second));
        }
        return {Utf16ToCp1253(wide), TextEncoding::Utf16};
    }
    const bool marked = starts("\xEF\xBB\xBF");
    const std::string_view body = std::string_view(bytes).substr(marked ? 3 : 0);
    const bool multiByte = std::any_of(body.begin(), body.end(), [](char c) { return (c & 0x80) != 0; });
    if (marked || multiByte) {
        if (std::optional<std::u16string> wide = Utf8ToUtf16(body)) return {Utf16ToCp1253(*wide), TextEncoding::Utf8};
    }
    return {std::move(bytes), TextEncoding::Windows1253};
}

void ReadAccountText(std::string_view content, AccountMap& table) {
    ReadLines(content, table, [](std::string_view key) { return std::string(key); });
}

void ReadAccountText(std::string_view content, VatAccountMap& table) { ReadLines(content, table, ParseVatKey); }

std::string WriteAccountText(const AccountMap& table) {
    return WriteLines(table, [](const std::string& key) -> const std::string& { return key; });
}

std::string WriteAccountText(const VatAccountMap& table) { return WriteLines(table, FormatVatKey); }

}  // namespace dralmoft
