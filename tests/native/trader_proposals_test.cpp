#include "proposal/trader_proposals.h"

#include <gtest/gtest.h>

namespace dralmoft {
namespace {

struct Case {
    const char* name;
    std::vector<std::string> kept;
    std::size_t newKeys;
    std::vector<Proposal> expected;
};

const std::u16string kSeries = u"επόμενος της σειράς 30.00.00.#### (μέγιστος 30.00.00.0380)";

const Case kCases[] = {
    {"AControlAccount",
     {"30.00", "30.00", "30.00", "30.00", "30.00"},
     2,
     {{"30.00", u"όπως όλοι οι πελάτες", 100}, {"30.00", u"όπως όλοι οι πελάτες", 100}}},
    {"FourOfFiveShareOne", {"30.00", "30.00", "30.01", "30.00", "30.00"}, 1, {{"30.00", u"όπως 4 από 5 πελάτες", 80}}},
    // A gap (0003) is a retired account: never reused; the numbers go on after the largest.
    {"TheNextNumbersOfASeries",
     {"30.00.00.0001", "30.00.00.0002", "30.00.00.0004", "30.00.00.0380", "38.00"},
     3,
     {{"30.00.00.0381", kSeries, 80}, {"30.00.00.0382", kSeries, 80}, {"30.00.00.0383", kSeries, 80}}},
    {"ASeriesUsedUpProposesNoMore",
     {"30.00.95", "30.00.96", "30.00.97", "30.00.98", "30.00.05"},
     2,
     {{"30.00.99", u"επόμενος της σειράς 30.00.## (μέγιστος 30.00.98)", 100},
      {"", u"η σειρά 30.00.## εξαντλήθηκε (μέγιστος 30.00.98)", 0}}},
    // 79 % is not 80 %: seven of nine is no series.
    {"UnderTheShareNothing",
     {"30.0001", "30.0002", "30.0003", "30.0004", "30.0005", "30.0006", "30.0007", "50.01", "51"},
     1,
     {{"", u"ούτε κοινός λογαριασμός ούτε σειρά ανάμεσα στους πελάτες", 0}}},
    {"FewerThanFiveNothing",
     {"30.0001", "30.0002", "30.0003", "30.0004"},
     1,
     {{"", u"λιγότεροι από 5 πελάτες έχουν λογαριασμό", 0}}},
    // Digits of another width are another series.
    {"OneWidthMakesASeries",
     {"30.001", "30.002", "30.0003", "30.004", "30.005"},
     1,
     {{"30.006", u"επόμενος της σειράς 30.### (μέγιστος 30.005)", 80}}},
};

class TraderProposalsTest : public testing::TestWithParam<Case> {};

TEST_P(TraderProposalsTest, FollowTheAccountsTheFileKeeps) {
    EXPECT_EQ(ProposeTraderAccounts(GetParam().kept, GetParam().newKeys, u"πελάτες"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Accounts, TraderProposalsTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dralmoft
