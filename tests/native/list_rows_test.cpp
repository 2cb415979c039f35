#include "mapping/list_rows.h"

#include <gtest/gtest.h>

namespace dralmoft {
namespace {

TEST(ListRows, FindsTheFirstRowHoldingTheTextInAnyColumn) {
    ListRows rows;
    EXPECT_EQ(rows.Find(""), std::nullopt);
    rows.Add("099999999", "\xC1\xEB\xF6\xE1 \xC1.\xC5.", "30.00.0001");  // "Αλφα Α.Ε."
    rows.Add(" 77 ", "\xC3\xDC\xEC\xEC\xE1", "");                        // "Γάμμα"
    rows.Add("099999999", "\xC4\xDD\xEB\xF4\xE1", "30.00.0077");         // "Δέλτα"
    EXPECT_EQ(rows.Find(""), 0u) << "an empty text is in every row";
    EXPECT_EQ(rows.Find("\xC4\xDD\xEB\xF4\xE1"), 2u);
    EXPECT_EQ(rows.Find("0077"), 2u) << "in the account column";
    EXPECT_EQ(rows.Find("9999"), 0u) << "the first of several";
    EXPECT_EQ(rows.Find("\xE4\xDD\xEB\xF4\xE1"), std::nullopt) << "case counts";
    EXPECT_EQ(rows.Find("\xC4\xE5\xEB\xF4\xE1"), std::nullopt) << "accents count";
    // No match runs from one text into the next: "Ε.30" would join the name and the
    // account, "999Α" the tax id and the name.
    EXPECT_EQ(rows.Find("\xC5.30"), std::nullopt);
    EXPECT_EQ(rows.Find("999\xC1"), std::nullopt);
    EXPECT_EQ(rows.Find("77 "), 1u);
}

TEST(ListRows, AnEditedAccountIsSearchedAsItIsNow) {
    ListRows rows;
    rows.Add("1", "a", "old");
    rows.Add("2", "b", "");
    EXPECT_EQ(rows.Find("old"), 0u);
    rows.SetAccount(1, "new");
    rows.SetAccount(0, "");
    EXPECT_EQ(rows.Find("old"), std::nullopt);
    EXPECT_EQ(rows.Find("new"), 1u);
    EXPECT_EQ(rows[1].texts[2], "new");
    rows.Clear();
    EXPECT_EQ(rows.Find("new"), std::nullopt);
}

}  // namespace
}  // namespace dralmoft
