#include "base/number_format.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>

namespace dralmoft {
namespace {

// The library's exact formatter, which the files' amounts have always followed.
std::string Exact(double value) {
    char buffer[400];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2).ptr;
    return std::string(buffer, end);
}

std::string Amount(double value) {
    std::string out = "x";
    AppendAmount(out, value);
    return out.substr(1);
}

TEST(NumberFormat, AmountsRoundTheExactValueTiesToEven) {
    EXPECT_EQ(Amount(0.125), "0.12");  // exactly half a cent: to the even cent
    EXPECT_EQ(Amount(0.375), "0.38");
    EXPECT_EQ(Amount(-2.625), "-2.62");
    EXPECT_EQ(Amount(1.005), "1.00");  // stored just below 1.005
    EXPECT_EQ(Amount(10.7568), "10.76");
    EXPECT_EQ(Amount(-0.004), "-0.00");
    EXPECT_EQ(Amount(-0.0), "-0.00");
    EXPECT_EQ(Amount(0.0), "0.00");
    EXPECT_EQ(Amount(0.995), "0.99");  // 0.99499999999999999555910790149937...
    EXPECT_EQ(Amount(999999999999999.9), Exact(999999999999999.9));
    EXPECT_EQ(Amount(1e15), "1000000000000000.00");
    EXPECT_EQ(Amount(-1e300), Exact(-1e300));
    EXPECT_EQ(Amount(std::numeric_limits<double>::infinity()), Exact(std::numeric_limits<double>::infinity()));
    EXPECT_EQ(Amount(std::nan("")), Exact(std::nan("")));
}

TEST(NumberFormat, AmountsAgreeWithTheExactFormatterEverywhere) {
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> anywhere(-1e15, 1e15);
    std::uniform_int_distribution<long long> cents(-100000000, 100000000);
    std::uniform_int_distribution<int> decimals(0, 6);
    for (int i = 0; i < 200000; ++i) {
        // Amounts as documents hold them (cents and mills, halves, sums), and any double.
        const double typical = static_cast<double>(cents(random)) / std::pow(10.0, decimals(random));
        const double half = static_cast<double>(cents(random)) / 100.0 + 0.005;
        const double any = anywhere(random) / std::pow(10.0, decimals(random) * 2);
        for (const double value : {typical, half, any, typical * 0.24, typical + half})
            ASSERT_EQ(Amount(value), Exact(value)) << value;
    }
}

}  // namespace
}  // namespace dralmoft
