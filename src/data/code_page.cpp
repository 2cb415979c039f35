#include "data/code_page.h"

#include <array>
#include <cstdint>

namespace dralmoft {
namespace {

// UTF-16 of the bytes 0x80..0xFF of Windows-1253. Undefined bytes keep Windows' own
// choices: the C1 controls for 0x81..0x9F and private-use points for 0xAA, 0xD2, 0xFF.
constexpr std::array<char16_t, 128> kCp1253High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x0088, 0x2030, 0x008A, 0x2039, 0x008C, 0x008D, 0x008E, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x009A, 0x203A, 0x009C, 0x009D, 0x009E, 0x009F,  // 98
    0x00A0, 0x0385, 0x0386, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0xF8F9, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x2015,  // A8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x0384, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0388, 0x0389, 0x038A, 0x00BB, 0x038C, 0x00BD, 0x038E, 0x038F,  // B8
    0x0390, 0x0391, 0x0392, 0x0393, 0x0394, 0x0395, 0x0396, 0x0397,  // C0
    0x0398, 0x0399, 0x039A, 0x039B, 0x039C, 0x039D, 0x039E, 0x039F,  // C8
    0x03A0, 0x03A1, 0xF8FA, 0x03A3, 0x03A4, 0x03A5, 0x03A6, 0x03A7,  // D0
    0x03A8, 0x03A9, 0x03AA, 0x03AB, 0x03AC, 0x03AD, 0x03AE, 0x03AF,  // D8
    0x03B0, 0x03B1, 0x03B2, 0x03B3, 0x03B4, 0x03B5, 0x03B6, 0x03B7,  // E0
    0x03B8, 0x03B9, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BE, 0x03BF,  // E8
    0x03C0, 0x03C1, 0x03C2, 0x03C3, 0x03C4, 0x03C5, 0x03C6, 0x03C7,  // F0
    0x03C8, 0x03C9, 0x03CA, 0x03CB, 0x03CC, 0x03CD, 0x03CE, 0xF8FB,  // F8
};

// UTF-16 of the bytes 0x80..0xFF of code page 737 (OEM Greek).
constexpr std::array<char16_t, 128> kCp737High = {
    0x0391, 0x0392, 0x0393, 0x0394, 0x0395, 0x0396, 0x0397, 0x0398,  // 80
    0x0399, 0x039A, 0x039B, 0x039C, 0x039D, 0x039E, 0x039F, 0x03A0,  // 88
    0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03A6, 0x03A7, 0x03A8, 0x03A9,  // 90
    0x03B1, 0x03B2, 0x03B3, 0x03B4, 0x03B5, 0x03B6, 0x03B7, 0x03B8,  // 98
    0x03B9, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BE, 0x03BF, 0x03C0,  // A0
    0x03C1, 0x03C3, 0x03C2, 0x03C4, 0x03C5, 0x03C6, 0x03C7, 0x03C8,  // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  // B0
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  // C8
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  // D0
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  // D8
    0x03C9, 0x03AC, 0x03AD, 0x03AE, 0x03CA, 0x03AF, 0x03CC, 0x03CD,  // E0
    0x03CB, 0x03CE, 0x0386, 0x0388, 0x0389, 0x038A, 0x038C, 0x038E,  // E8
    0x038F, 0x00B1, 0x2265, 0x2264, 0x03AA, 0x03AB, 0x00F7, 0x2248,  // F0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,  // F8
};

// Reverse table for one high half: the byte for a UTF-16 unit, or 0 when absent.
// Built once; a linear search per character would cost the export dearly.
class ReverseTable {
public:
    explicit ReverseTable(const std::array<char16_t, 128>& high) {
        for (unsigned i = 0; i < high.size(); ++i) m_bytes[high[i]] = static_cast<std::uint8_t>(0x80 + i);
    }
    [[nodiscard]] int Find(char16_t unit) const {
        if (unit < 0x80) return unit;
        const std::uint8_t byte = m_bytes[unit];
        return byte == 0 ? -1 : byte;
    }

private:
    std::array<std::uint8_t, 0x10000> m_bytes{};
};

const ReverseTable& Cp1253Reverse() {
    static const ReverseTable table(kCp1253High);
    return table;
}

char16_t Cp1253Unit(unsigned char byte) { return byte < 0x80 ? char16_t{byte} : kCp1253High[byte - 0x80]; }

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

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
    const ReverseTable& reverse = Cp1253Reverse();
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
        const int byte = reverse.Find(unit);
        result.push_back(byte < 0 ? '?' : static_cast<char>(byte));
    }
    return result;
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

namespace {

const std::array<char, 256>& OemTable() {
    static const std::array<char, 256> table = [] {
        const ReverseTable oem(kCp737High);
        std::array<char, 256> bytes{};
        for (unsigned b = 0; b < 256; ++b) {
            const int mapped = oem.Find(Cp1253Unit(static_cast<unsigned char>(b)));
            bytes[b] = mapped < 0 ? '?' : static_cast<char>(mapped);
        }
        return bytes;
    }();
    return table;
}

}  // namespace

void ConvertCp1253ToCp737(std::string& text) {
    const std::array<char, 256>& table = OemTable();
    for (char& c : text) c = table[static_cast<unsigned char>(c)];
}

std::string Cp1253ToCp737(std::string_view text) {
    std::string result(text);
    ConvertCp1253ToCp737(result);
    return result;
}

}  // namespace dralmoft
