#include "base/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace dralmoft {
namespace {

// Below this, 100 times an amount is below 2^50: its whole part is exact in a double.
constexpr double kCentsLimit = 1e13;

// The cents of |value|, rounded from its exact value, ties to even, in plain double
// arithmetic (nothing depends on the x87 unit's precision, which an in-process server
// may change): 100·|value| is split exactly into product + error (Dekker), and the
// error decides the rounding where the product alone cannot.
bool ExactCents(double value, std::uint64_t& cents) {
    const double a = std::fabs(value);
    if (!(a < kCentsLimit)) return false;  // NaN and infinities too
    const double split = 134217729.0 * a;  // 2^27 + 1
    const double high = split - (split - a);
    const double low = a - high;
    const double product = a * 100.0;
    const double error = (high * 100.0 - product) + low * 100.0;  // exact: 100 has 5 significant bits
    cents = static_cast<std::uint64_t>(product);
    const double overHalf = (product - static_cast<double>(cents)) - 0.5;  // exact
    if (overHalf > -error || (overHalf == -error && cents % 2 == 1)) ++cents;
    return true;
}

}  // namespace

std::string FormatFixed(double value, int decimals) {
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (error != std::errc()) return "0";
    return std::string(buffer, end);
}

std::optional<std::int64_t> AmountCents(double value) {
    std::uint64_t cents = 0;
    if (!ExactCents(value, cents)) return std::nullopt;
    const auto magnitude = static_cast<std::int64_t>(cents);
    return std::signbit(value) ? -magnitude : magnitude;
}

void AppendAmount(std::string& out, double value) {
    std::uint64_t cents = 0;
    if (!ExactCents(value, cents)) {
        out.append(FormatFixed(value, 2));
        return;
    }
    char buffer[24];
    char* digit = buffer + sizeof buffer;
    *--digit = static_cast<char>('0' + cents % 10);
    *--digit = static_cast<char>('0' + cents / 10 % 10);
    *--digit = '.';
    std::uint64_t whole = cents / 100;
    do {
        *--digit = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    if (std::signbit(value)) *--digit = '-';
    out.append(digit, buffer + sizeof buffer);
}

}  // namespace dralmoft
