#include "proposal/item_proposals.h"

#include <gtest/gtest.h>

#include "base/code_page.h"
#include "item_evaluation.h"
#include "proposal/name_words.h"

namespace dralmoft {
namespace {

// The hand-labelled set, each chart: the share of exact proposals, and the precision of
// those the window ticks, may not fall below what was measured when the proposer was made
// (make bench prints the figures). Distinct products, a few dozen per category: harder than
// a company's catalogue, where most new items are sizes and colours of kept ones.
TEST(ItemProposals, CrossValidatedOnTheLabelledItems) {
    const std::vector<test::LabelledItem> items = test::LoadLabelledItems();
    ASSERT_GE(items.size(), 300u);
    const struct {
        test::Chart chart;
        double exact;
    } minimums[] = {
        {test::Chart::PerCategory, 71.0}, {test::Chart::PerCategoryAndRate, 74.0}, {test::Chart::SingleSales, 100.0}};
    for (const auto& [chart, exact] : minimums) {
        std::vector<std::string> misses;
        const test::Figures figures = test::CrossValidate(items, chart, kTickedConfidence, &misses);
        std::string missed;
        for (const std::string& miss : misses) missed += "\n" + miss;
        EXPECT_EQ(figures.Coverage(), 100.0) << test::ChartName(chart);
        EXPECT_GE(figures.Exact(), exact) << test::ChartName(chart) << missed;
        EXPECT_GE(figures.ConfidentPrecision(), 98.0) << test::ChartName(chart) << missed;
        EXPECT_GE(figures.ConfidentCoverage(), 10.0) << test::ChartName(chart);
    }
}

}  // namespace
}  // namespace dralmoft

namespace dralmoft {

namespace {

// A proposal as text, so that a failed comparison shows it.
std::string Text(const Proposal& proposal) {
    std::string text = proposal.account + " | ";
    AppendUtf8(text, proposal.reason);
    return text + " | " + std::to_string(proposal.confidence);
}

std::string A(std::u16string_view text) { return Utf16ToCp1253(text); }

TEST(NameWords, FoldCaseAccentsAndLookalikes) {
    const std::pair<std::u16string, std::vector<std::u16string>> cases[] = {
        {u"ΒΙΔΑ ΞΥΛΟΥ 4Χ40", {u"βιδα", u"ξυλου", u"4", u"χ", u"40"}},
        {u"Βίδα ξύλου 4x40", {u"βιδα", u"ξυλου", u"4", u"x", u"40"}},
        {u"ΒΙΔA ΞΎΛΟΥ", {u"βιδα", u"ξυλου"}},  // a Latin A in a Greek word
        {u"Χαρτί Α4 80gr., ΦΩΤΟΑΝΤΙΓΡΑΦΙΚΟ", {u"χαρτι", u"α", u"4", u"80", u"gr", u"φωτοαντιγραφικο"}},
        {u"Οδοντόκρεμα ΰϊΐ-ς", {u"οδοντοκρεμα", u"υιι", u"σ"}},
        {u"ml lt", {u"ml", u"lt"}},
    };
    for (const auto& [name, expected] : cases) {
        std::vector<std::u16string> words;
        for (const std::string& word : NameWords(A(name))) words.push_back(Cp1253ToUtf16(word));
        EXPECT_EQ(words, expected) << A(name);
    }
}

class ItemProposerTest : public testing::Test {
protected:
    Proposal Propose(std::u16string_view name, std::string_view current, bool purchases, bool sales,
                     std::vector<RateAmount> rates = {{24.0, 100}}) {
        const ItemProposer proposer(m_items, {6.0, 13.0, 24.0});
        const std::string key = A(name);
        return proposer.Propose({key, current, purchases, sales, std::move(rates)});
    }
    AccountMap m_items;
};

TEST_F(ItemProposerTest, TheMostSimilarItemsVoteAndOnlyTheLackingSideIsGiven) {
    m_items[A(u"Βίδα ξύλου 4x40")] = "20.04;70.04";
    m_items[A(u"ΒΙΔΕΣ ΞΥΛΟΥ 5Χ50")] = "20.04;70.04";
    m_items[A(u"Βίδα γυψοσανίδας 3,5x25")] = "20.05;70.05";
    m_items[A(u"Κρασί λευκό 750ml")] = "20.03;70.03";
    m_items[A(u"Μπύρα 330ml")] = "20.03;70.03";
    // The third is hardly like it: its vote is small.
    const std::u16string reason = u"όπως 2 από 3 παρόμοια είδη: «ΒΙΔΕΣ ΞΥΛΟΥ 5Χ50», «Βίδα ξύλου 4x40»";
    const struct {
        std::string current;
        bool purchases, sales;
        Proposal expected;
    } cases[] = {
        {"", true, true, {"20.04;70.04", reason, 96}},
        {"", false, true, {"70.04", reason, 96}},  // sold only: its sales account alone
        {"", true, false, {"20.04;", reason, 96}},
        {"70.99", true, false, {"20.04;70.99", reason, 96}},   // its sales side stays as it was
        {"20.99;", false, true, {"20.99;70.04", reason, 96}},  // and its purchases side
    };
    for (const auto& c : cases)
        EXPECT_EQ(Text(Propose(u"Βίδες ξύλου 4x30", c.current, c.purchases, c.sales)), Text(c.expected)) << c.current;
}

TEST_F(ItemProposerTest, TheRateInTheAccountsDigitsIsTheItemsOwn) {
    m_items[A(u"Γάλα φρέσκο 1lt")] = "20.01.0013;70.01.0013";
    m_items[A(u"Γάλα σοκολατούχο 500ml")] = "20.01.0024;70.01.0024";
    m_items[A(u"Τυρί φέτα 400gr")] = "20.01.0013;70.01.0013";
    m_items[A(u"Βιβλίο μαγειρικής")] = "20.10.0006;70.10.0006";
    // Its neighbours are at 13 % and 24 %: each votes with the item's own rate in its place.
    // At two rates, the item's is the one of the larger amount.
    EXPECT_EQ(
        Text(Propose(u"Γάλα σοκολατούχο 1lt", "", true, true, {{13.0, 500}})),
        Text(Proposal{"20.01.0013;70.01.0013",
                      u"όπως 2 από 2 παρόμοια είδη: «Γάλα σοκολατούχο 500ml», «Γάλα φρέσκο 1lt», στον συντελεστή 13 %",
                      100}));
    EXPECT_EQ(
        Text(Propose(u"Γάλα σοκολατούχο 1lt", "", false, true, {{13.0, 500}, {24.0, -900}})),
        Text(Proposal{"70.01.0024",
                      u"όπως 2 από 2 παρόμοια είδη: «Γάλα σοκολατούχο 500ml», «Γάλα φρέσκο 1lt», στον συντελεστή 24 % "
                      u"(του μεγαλύτερου ποσού του)",
                      100}));
    // Accounts that all end in one rate's digits do not carry it: nothing is put in.
    AccountMap oneRate;
    oneRate[A(u"Γάλα φρέσκο 1lt")] = "70.01.0024";
    oneRate[A(u"Γάλα σοκολατούχο 500ml")] = "70.01.0024";
    m_items = oneRate;
    EXPECT_EQ(Propose(u"Γάλα σοκολατούχο 1lt", "", false, true, {{13.0, 500}}).account, "70.01.0024");
}

TEST_F(ItemProposerTest, NoProposalSaysWhy) {
    m_items[A(u"Βίδα ξύλου 4x40")] = "70.04";
    EXPECT_EQ(Text(Propose(u"Βίδα ξύλου 4x30", "", true, true)),
              Text(Proposal{"", u"κανένα είδος του αρχείου δεν έχει λογαριασμό αγορών", 0}));
    EXPECT_EQ(Text(Propose(u"Κρασί λευκό", "", false, true)),
              Text(Proposal{"", u"κανένα είδος με λογαριασμό δεν μοιάζει στο όνομα", 0}));
}

}  // namespace
}  // namespace dralmoft
