// The program's conversions held against the system's own, everywhere: every UTF-16 unit,
// surrogate pairs, and every byte of both code pages.
#include "base/code_page.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace dralmoft {
namespace {

std::string SystemTo1253(std::u16string_view text) {
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    std::string bytes(static_cast<std::size_t>(length) * 2 + 2, '\0');
    const int written =
        ::WideCharToMultiByte(1253, 0, wide, length, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(static_cast<std::size_t>(written));
    return bytes;
}

TEST(SystemCodePages, EveryUtf16UnitConvertsTo1253AsWindowsConvertsIt) {
    int differences = 0;
    for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
        const std::u16string one(1, static_cast<char16_t>(unit));
        const std::string system = SystemTo1253(one);
        if (Utf16ToCp1253(one) != system && ++differences <= 10)
            ADD_FAILURE() << "U+" << std::hex << unit << ": system " << std::hex
                          << static_cast<unsigned>(static_cast<unsigned char>(system[0]));
    }
    EXPECT_EQ(differences, 0);
    for (const std::u16string& pair :
         {std::u16string(u"\U0001F600"), std::u16string(u"a\U00010000b\U0010FFFF"), std::u16string(u"\xDC00\xD800x")})
        EXPECT_EQ(Utf16ToCp1253(pair), SystemTo1253(pair));
}

TEST(SystemCodePages, EveryByteConvertsAsWindowsConvertsIt) {
    ASSERT_EQ(::GetACP(), 1253u) << "the tests run with the Greek code pages";
    ASSERT_EQ(::GetOEMCP(), 737u);
    for (int byte = 0; byte < 256; ++byte) {
        const char in = static_cast<char>(byte);
        wchar_t wide = 0;
        ASSERT_EQ(::MultiByteToWideChar(1253, 0, &in, 1, &wide, 1), 1);
        EXPECT_EQ(Cp1253ToUtf16(std::string(1, in)), std::u16string(1, static_cast<char16_t>(wide))) << byte;

        char oem[2] = {in, '\0'};
        ASSERT_TRUE(::CharToOemA(oem, oem));
        EXPECT_EQ(Cp1253ToCp737(std::string(1, in)), std::string(1, oem[0])) << byte;
    }
}

}  // namespace
}  // namespace dralmoft
