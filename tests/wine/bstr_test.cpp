#include "win/bstr.h"

#include <gtest/gtest.h>

namespace dralmoft {
namespace {

TEST(Bstr, NullIsTheEmptyText) {
    const Bstr none;
    EXPECT_EQ(none.Get(), nullptr);
    EXPECT_TRUE(none.View().empty());
    EXPECT_EQ(ToText(none), "");
}

TEST(Bstr, ProgramTextsCrossTheBoundaryIn1253) {
    const std::string text = "\xD6\xD0\xC1 24%";  // "ΦΠΑ 24%"
    const Bstr wide = ToBstr(text);
    EXPECT_EQ(std::wstring(wide.Get(), ::SysStringLen(wide.Get())), L"ΦΠΑ 24%");
    EXPECT_EQ(ToText(wide), text);
}

TEST(Bstr, EmbeddedZerosAndMovesKeepTheWholeString) {
    Bstr first(std::u16string(u"a\0b", 3));
    Bstr second = std::move(first);
    EXPECT_EQ(first.Get(), nullptr);
    EXPECT_EQ(second.View(), std::u16string_view(u"a\0b", 3));
    first = std::move(second);
    EXPECT_EQ(ToText(first), std::string("a\0b", 3));
}

}  // namespace
}  // namespace dralmoft
