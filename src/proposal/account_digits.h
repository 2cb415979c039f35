#pragma once
// What proposals read in an account's digits and a rate's: the run of digits that ends an
// account ("30.00.00." and "0380"), and a rate as the whole number its digits would be.

#include <optional>
#include <string_view>
#include <utility>

namespace dralmoft {

// The account as its prefix and the run of digits that ends it (empty when none).
[[nodiscard]] std::pair<std::string_view, std::string_view> SplitEndDigits(std::string_view account);

// The run's value, for runs of 1 to 18 digits (a long long holds them); nothing otherwise.
[[nodiscard]] std::optional<long long> DigitsValue(std::string_view digits);

// The rate as a whole number, when it is one (6.5 % has no digits to put in an account).
[[nodiscard]] std::optional<long long> WholeRate(double rate);

}  // namespace dralmoft
