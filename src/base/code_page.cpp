#include "base/code_page.h"

#include <array>
#include <cstdint>

namespace dralmoft {
namespace {

// The byte a UTF-16 unit converts to: a mapping of code page 1253 or a best fit.
struct UnitToByte {
    char16_t unit;
    unsigned char byte;
};

// kCp1253High, kUtf16To1253, kCp1253ToOem737: the system's own conversions, dumped by
// tools/windows/code_page_dump.cpp.
#include "base/code_page_tables.inc"

// The byte of every UTF-16 unit, '?' where Windows has neither a mapping nor a best fit.
// Built once; a search per character would cost the export dearly.
class Utf16To1253Table {
public:
    Utf16To1253Table() {
        m_bytes.fill('?');
        for (unsigned unit = 0; unit < 0x80; ++unit) m_bytes[unit] = static_cast<char>(unit);
        for (const UnitToByte& pair : kUtf16To1253) m_bytes[pair.unit] = static_cast<char>(pair.byte);
    }
    [[nodiscard]] char Byte(char16_t unit) const { return m_bytes[unit]; }

private:
    std::array<char, 0x10000> m_bytes{};
};

const Utf16To1253Table& Utf16To1253() {
    static const Utf16To1253Table table;
    return table;
}

char16_t Cp1253Unit(unsigned char byte) { return byte < 0x80 ? char16_t{byte} : kCp1253High[byte - 0x80]; }

}  // namespace

void Cp1253ToUtf16(std::string_view text, char16_t* out) {
    for (const char c : text) *out++ = Cp1253Unit(static_cast<unsigned char>(c));
}

std::u16string Cp1253ToUtf16(std::string_view text) {
    std::u16string result(text.size(), u'\0');
    Cp1253ToUtf16(text, result.data());
    return result;
}

std::string Utf16ToCp1253(std::u16string_view text) {
    std::string result;
    AssignCp1253(result, text);
    return result;
}

void AssignCp1253(std::string& out, std::u16string_view text) {
    const Utf16To1253Table& table = Utf16To1253();
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) out[i] = table.Byte(text[i]);
}

bool HasExactCp1253Form(std::u16string_view text) {
    const Utf16To1253Table& table = Utf16To1253();
    for (const char16_t unit : text)
        if (Cp1253Unit(static_cast<unsigned char>(table.Byte(unit))) != unit) return false;
    return true;
}

bool LosesInCp737(std::string_view text) {
    for (const char c : text)
        if (c != '?' && kCp1253ToOem737[static_cast<unsigned char>(c)] == '?') return true;
    return false;
}

void AppendUtf8(std::string& out, std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t value = text[i];
        if (value >= 0xD800 && value <= 0xDFFF) {
            const bool paired = value < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
            value = paired ? 0x10000 + ((value - 0xD800) << 10) + (text[++i] - 0xDC00) : 0xFFFD;
        }
        if (value < 0x80) {
            out.push_back(static_cast<char>(value));
        } else if (value < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (value >> 6)));
            out.push_back(static_cast<char>(0x80 | (value & 0x3F)));
        } else if (value < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (value >> 12)));
            out.push_back(static_cast<char>(0x80 | ((value >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (value & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (value >> 18)));
            out.push_back(static_cast<char>(0x80 | ((value >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((value >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (value & 0x3F)));
        }
    }
}

std::optional<std::u16string> Utf8ToUtf16(std::string_view text) {
    std::u16string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            result.push_back(lead);
            ++i;
            continue;
        }
        // The sequence's length, the bits of its lead byte, and the least value it may
        // carry (a smaller one is an overlong form).
        struct Form {
            std::size_t length;
            char32_t bits;
            char32_t least;
        };
        Form form{};
        if (lead >= 0xC2 && lead <= 0xDF) form = {2, lead & 0x1Fu, 0x80};
        else if (lead >= 0xE0 && lead <= 0xEF) form = {3, lead & 0x0Fu, 0x800};
        else if (lead >= 0xF0 && lead <= 0xF4) form = {4, lead & 0x07u, 0x10000};
        else return std::nullopt;
        const std::size_t length = form.length;
        char32_t value = form.bits;
        const char32_t least = form.least;
        if (i + length > text.size()) return std::nullopt;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            value = (value << 6) | (next & 0x3F);
        }
        if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
        if (value >= 0x10000) {
            value -= 0x10000;
            result.push_back(static_cast<char16_t>(0xD800 + (value >> 10)));
            result.push_back(static_cast<char16_t>(0xDC00 + (value & 0x3FF)));
        } else {
            result.push_back(static_cast<char16_t>(value));
        }
        i += length;
    }
    return result;
}

void ConvertCp1253ToCp737(std::string& text) {
    for (char& c : text) c = static_cast<char>(kCp1253ToOem737[static_cast<unsigned char>(c)]);
}

std::string Cp1253ToCp737(std::string_view text) {
    std::string result(text);
    ConvertCp1253ToCp737(result);
    return result;
}

}  // namespace dralmoft
