#include "proposal/account_digits.h"

#include <cmath>

namespace dralmoft {

std::pair<std::string_view, std::string_view> SplitEndDigits(std::string_view account) {
    std::size_t start = account.size();
    while (start > 0 && account[start - 1] >= '0' && account[start - 1] <= '9') --start;
    return {account.substr(0, start), account.substr(start)};
}

std::optional<long long> DigitsValue(std::string_view digits) {
    if (digits.empty() || digits.size() > 18) return std::nullopt;
    long long value = 0;
    for (const char digit : digits) value = value * 10 + (digit - '0');
    return value;
}

std::optional<long long> WholeRate(double rate) {
    if (!std::isfinite(rate) || rate < 0 || rate > 1e6 || std::floor(rate) != rate) return std::nullopt;
    return static_cast<long long>(rate);
}

}  // namespace dralmoft
