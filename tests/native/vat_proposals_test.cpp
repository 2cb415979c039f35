#include "proposal/vat_proposals.h"

#include <gtest/gtest.h>

namespace dralmoft {
namespace {

VatAccountMap Map(std::initializer_list<std::pair<double, const char*>> rates) {
    VatAccountMap map;
    for (const auto& [rate, accounts] : rates) map[rate] = accounts;
    return map;
}

// The demo's pattern: X shared, purchases the rate plus 0, sales plus 1000.
const VatAccountMap kDemo = Map({{4, "54.00;54.00.0004;54.00.1004"},
                                 {6, "54.00;54.00.0006;54.00.1006"},
                                 {13, "54.00;54.00.0013;54.00.1013"},
                                 {24, "54.00;54.00.0024;54.00.1024"}});

TEST(VatProposals, ANewRateTakesThePatternOfTheOthers) {
    EXPECT_EQ(ProposeVatAccounts(kDemo, 17.0),
              (Proposal{"54.00;54.00.0017;54.00.1017", u"το μοτίβο των άλλων συντελεστών", 100}));
    VatAccountMap mixed = kDemo;
    mixed[9.0] = "54.00;54.09;54.19";  // one of five does not follow: 80 %
    EXPECT_EQ(ProposeVatAccounts(mixed, 17.0).confidence, 80);
    EXPECT_EQ(ProposeVatAccounts(mixed, 17.0).account, "54.00;54.00.0017;54.00.1017");
}

// A file of sales accounts alone ("24.000000;54.00.1024"): the export reads each as the
// rate's sales account, and so does the pattern; the new rate gets a sales account alone.
TEST(VatProposals, SalesAccountsAloneGiveASalesAccount) {
    const VatAccountMap sales = Map({{6, "54.00.1006"}, {13, "54.00.1013"}, {24, "54.00.1024"}});
    EXPECT_EQ(ProposeVatAccounts(sales, 17.0), (Proposal{"54.00.1017", u"το μοτίβο των άλλων συντελεστών", 100}));
}

TEST(VatProposals, NoPatternNoDigitsOrNoRoomIsNoProposal) {
    const VatAccountMap loose = Map({{6, "54.00;54.10;54.20"}, {13, "54.00;54.11;54.21"}, {24, "54.00;54.17;54.25"}});
    EXPECT_EQ(ProposeVatAccounts(loose, 17.0).account, "");
    // The same accounts for every rate: the rate is nowhere in them.
    const VatAccountMap same = Map({{6, "54.00;54.00;54.00"}, {13, "54.00;54.00;54.00"}, {24, "54.00;54.00;54.00"}});
    EXPECT_EQ(ProposeVatAccounts(same, 17.0).account, "");
    EXPECT_EQ(ProposeVatAccounts(kDemo, 6.5).account, "") << "decimals";
    const VatAccountMap twoDigits = Map({{6, "54;54.06;54.16"}, {13, "54;54.13;54.23"}});
    EXPECT_EQ(ProposeVatAccounts(twoDigits, 17.0).account, "54;54.17;54.27");
    EXPECT_EQ(ProposeVatAccounts(twoDigits, 95.0).account, "") << "105 in two digits";
    EXPECT_EQ(ProposeVatAccounts(VatAccountMap{}, 17.0).account, "");
}

}  // namespace
}  // namespace dralmoft
