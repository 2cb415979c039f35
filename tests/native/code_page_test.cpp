#include "base/code_page.h"

#include <gtest/gtest.h>

namespace dralmoft {
namespace {

TEST(CodePage, GreekLettersConvertBothWays) {
    // "Αθήνα ΦΠΑ" in Windows-1253.
    const std::string text = "\xC1\xE8\xDE\xED\xE1 \xD6\xD0\xC1";
    const std::u16string wide = u"Αθήνα ΦΠΑ";
    EXPECT_EQ(Cp1253ToUtf16(text), wide);
    EXPECT_EQ(Utf16ToCp1253(wide), text);
}

TEST(CodePage, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(Utf16ToCp1253(Cp1253ToUtf16(all)), all);
}

// Windows' best fit, as the account files of an existing installation were written: an
// item named "Crème Βανίλια" must be looked up as "Creme Βανίλια".
TEST(CodePage, CharactersOutside1253TakeTheirBestFitOrAQuestionMark) {
    EXPECT_EQ(Utf16ToCp1253(u"Cr\u00E8me \u0392\u03B1\u03BD\u03AF\u03BB\u03B9\u03B1"),
              "Creme \xC2\xE1\xED\xDF\xEB\xE9\xE1");
    EXPECT_EQ(Utf16ToCp1253(u"M\u00FCller \u0141\u00F3d\u017A \uFF22"), "Muller Lodz B");
    EXPECT_EQ(Utf16ToCp1253(u"a\u4E2Db"), "a?b") << "no best fit";
    EXPECT_EQ(Utf16ToCp1253(u"x\U0001F600y"), "x??y") << "one '?' per UTF-16 unit";
    EXPECT_EQ(Utf16ToCp1253(u"\xD800z"), "?z") << "a lone surrogate";
    EXPECT_EQ(Utf16ToCp1253(u"\u20AC\u2019"), "\x80\x92");
}

TEST(CodePage, OemConversionMapsGreekAndKeepsAscii) {
    // Α α ά ς Ά ώ and the separator line end stay apart from ASCII.
    EXPECT_EQ(Cp1253ToCp737("\xC1\xE1\xDC\xF2\xA2\xFE"), "\x80\x98\xE1\xAA\xEA\xE9");
    const std::string ascii = "A12;13;1;345;T1;31/12/2004;X-A12;;\r\n";
    EXPECT_EQ(Cp1253ToCp737(ascii), ascii);
    // The euro sign has no place in 737; bullet, section and pilcrow take CharToOemA's best fit.
    EXPECT_EQ(Cp1253ToCp737("\x80"), "?");
    EXPECT_EQ(Cp1253ToCp737("\x95\xA7\xB6"), "\x07\x15\x14");
}

}  // namespace
}  // namespace dralmoft
