#include "json_reader.h"

#include <charconv>

#include "company_file.h"

namespace demo {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string Describe(char c) {
    if (c == '\0') return "end of file";
    if (static_cast<unsigned char>(c) < 0x20) return "a control character";
    return std::string("'") + c + "'";
}

}  // namespace

void JsonReader::FailAt(std::size_t offset, std::string_view message) const {
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = 0; i < offset && i < m_text.size(); ++i) {
        const auto c = static_cast<unsigned char>(m_text[i]);
        if (c == '\n') {
            ++line;
            column = 1;
        } else if ((c & 0xC0) != 0x80) {  // count characters, not UTF-8 bytes
            ++column;
        }
    }
    throw CompanyFileError("line " + std::to_string(line) + ", column " + std::to_string(column) + ": " +
                           std::string(message));
}

void JsonReader::SkipSpace() {
    while (m_pos < m_text.size() && IsSpace(m_text[m_pos])) ++m_pos;
}

char JsonReader::Peek() {
    SkipSpace();
    return m_pos < m_text.size() ? m_text[m_pos] : '\0';
}

void JsonReader::Expect(char wanted, std::string_view what) {
    const char c = Peek();
    if (c != wanted) Fail("expected " + std::string(what) + ", found " + Describe(c));
    ++m_pos;
}

void JsonReader::BeginObject() {
    Expect('{', "an object");
    m_first = true;
}

bool JsonReader::NextKey(std::string& key) {
    const char c = Peek();
    if (c == '}') {
        ++m_pos;
        m_first = false;
        return false;
    }
    if (!m_first) {
        Expect(',', "',' or '}'");
        if (Peek() == '}') Fail("a trailing ',' before '}'");
    }
    if (Peek() != '"') Fail("expected a member name in double quotes, found " + Describe(Peek()));
    m_keyOffset = m_pos;
    key = String();
    Expect(':', "':'");
    return true;
}

void JsonReader::BeginArray() {
    Expect('[', "an array");
    m_first = true;
}

bool JsonReader::NextElement() {
    const char c = Peek();
    if (c == ']') {
        ++m_pos;
        m_first = false;
        return false;
    }
    if (!m_first) {
        Expect(',', "',' or ']'");
        if (Peek() == ']') Fail("a trailing ',' before ']'");
    }
    return true;
}

bool JsonReader::TryNull() {
    if (Peek() != 'n') return false;
    if (m_text.substr(m_pos, 4) != "null") Fail("expected a value, found " + Describe('n'));
    m_pos += 4;
    m_first = false;
    return true;
}

unsigned JsonReader::Hex4() {
    unsigned value = 0;
    for (int i = 0; i < 4; ++i, ++m_pos) {
        const char c = m_pos < m_text.size() ? m_text[m_pos] : '\0';
        value <<= 4;
        if (IsDigit(c)) value |= static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f') value |= static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F') value |= static_cast<unsigned>(c - 'A' + 10);
        else Fail("a \\u escape needs four hexadecimal digits");
    }
    return value;
}

void JsonReader::AppendEscape(std::string& out) {
    const char c = m_pos < m_text.size() ? m_text[m_pos] : '\0';
    ++m_pos;
    switch (c) {
        case '"': out.push_back('"'); return;
        case '\\': out.push_back('\\'); return;
        case '/': out.push_back('/'); return;
        case 'b': out.push_back('\b'); return;
        case 'f': out.push_back('\f'); return;
        case 'n': out.push_back('\n'); return;
        case 'r': out.push_back('\r'); return;
        case 't': out.push_back('\t'); return;
        case 'u': break;
        default: FailAt(m_pos - 2, "unknown escape '\\" + std::string(1, c) + "'");
    }
    const std::size_t start = m_pos - 2;
    std::uint32_t cp = Hex4();
    if (cp >= 0xDC00 && cp <= 0xDFFF) FailAt(start, "a lone low surrogate in a \\u escape");
    if (cp >= 0xD800 && cp <= 0xDBFF) {
        if (m_text.substr(m_pos, 2) != "\\u") FailAt(start, "a high surrogate without its low surrogate");
        m_pos += 2;
        const unsigned low = Hex4();
        if (low < 0xDC00 || low > 0xDFFF) FailAt(start, "a high surrogate without its low surrogate");
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
    }
    demo::AppendUtf8(out, cp);
}

void JsonReader::AppendUtf8(std::string& out) {
    // Checks one multi-byte UTF-8 sequence: no overlong forms, no surrogates.
    const auto lead = static_cast<unsigned char>(m_text[m_pos]);
    int extra = 0;
    std::uint32_t cp = 0;
    if (lead >= 0xC2 && lead <= 0xDF) extra = 1, cp = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF) extra = 2, cp = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4) extra = 3, cp = lead & 0x07;
    else Fail("ill-formed UTF-8");
    if (m_pos + extra >= m_text.size()) Fail("ill-formed UTF-8");
    for (int i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(m_text[m_pos + i]);
        if ((next & 0xC0) != 0x80) Fail("ill-formed UTF-8");
        cp = (cp << 6) | (next & 0x3F);
    }
    const bool overlong = (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000);
    if (overlong || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) Fail("ill-formed UTF-8");
    out.append(m_text.substr(m_pos, static_cast<std::size_t>(extra) + 1));
    m_pos += static_cast<std::size_t>(extra) + 1;
}

std::string JsonReader::String() {
    Expect('"', "a string");
    std::string out;
    for (;;) {
        if (m_pos >= m_text.size()) Fail("a string without its closing quote");
        const char c = m_text[m_pos];
        if (c == '"') break;
        if (static_cast<unsigned char>(c) < 0x20) Fail("a control character inside a string");
        if (c == '\\') {
            ++m_pos;
            AppendEscape(out);
        } else if (static_cast<unsigned char>(c) >= 0x80) {
            AppendUtf8(out);
        } else {
            out.push_back(c);
            ++m_pos;
        }
    }
    ++m_pos;
    m_first = false;
    return out;
}

std::string_view JsonReader::NumberToken() {
    SkipSpace();
    const std::size_t start = m_pos;
    auto at = [&](std::size_t i) { return i < m_text.size() ? m_text[i] : '\0'; };
    std::size_t i = m_pos;
    if (at(i) == '-') ++i;
    if (at(i) == '0') {
        ++i;
    } else if (IsDigit(at(i))) {
        while (IsDigit(at(i))) ++i;
    } else {
        Fail("expected a number, found " + Describe(at(start)));
    }
    if (at(i) == '.') {
        ++i;
        if (!IsDigit(at(i))) FailAt(i, "a digit must follow the decimal point");
        while (IsDigit(at(i))) ++i;
    }
    if (at(i) == 'e' || at(i) == 'E') {
        ++i;
        if (at(i) == '+' || at(i) == '-') ++i;
        if (!IsDigit(at(i))) FailAt(i, "a digit must follow the exponent");
        while (IsDigit(at(i))) ++i;
    }
    m_pos = i;
    m_first = false;
    return m_text.substr(start, i - start);
}

double JsonReader::Number() {
    const std::size_t start = m_pos;
    const std::string_view token = NumberToken();
    double value = 0.0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (error != std::errc() || end != token.data() + token.size()) FailAt(start, "a number out of range");
    return value;
}

std::int64_t JsonReader::Integer() {
    SkipSpace();
    const std::size_t start = m_pos;
    const std::string_view token = NumberToken();
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (error != std::errc() || end != token.data() + token.size()) FailAt(start, "expected a whole number");
    return value;
}

bool JsonReader::Boolean() {
    const char c = Peek();
    if (c == 't' && m_text.substr(m_pos, 4) == "true") {
        m_pos += 4;
        m_first = false;
        return true;
    }
    if (c == 'f' && m_text.substr(m_pos, 5) == "false") {
        m_pos += 5;
        m_first = false;
        return false;
    }
    Fail("expected true or false, found " + Describe(c));
}

void JsonReader::SkipValue() {
    const char c = Peek();
    std::string key;
    if (c == '{') {
        BeginObject();
        while (NextKey(key)) SkipValue();
    } else if (c == '[') {
        BeginArray();
        while (NextElement()) SkipValue();
    } else if (c == '"') {
        (void)String();
    } else if (c == 't' || c == 'f') {
        (void)Boolean();
    } else if (c == 'n') {
        (void)TryNull();
    } else {
        (void)Number();
    }
    m_first = false;
}

void JsonReader::End() {
    if (Peek() != '\0') Fail("unexpected " + Describe(Peek()) + " after the end of the data");
}

}  // namespace demo
