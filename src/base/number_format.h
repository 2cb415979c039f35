#pragma once
// Numbers as the files want them, whatever the locale: fixed point, '.' as decimal
// point, no grouping, rounded only here ("%.2f", "%f"): the double's exact value
// rounded to the nearest, ties to even, with the sign of a negative value kept even
// when it rounds to zero ("-0.00").

#include <cstdint>
#include <optional>
#include <string>

namespace dralmoft {

[[nodiscard]] std::string FormatFixed(double value, int decimals);

// FormatFixed(value, 2), appended: an export writes three amounts per record.
void AppendAmount(std::string& out, double value);

// The amount AppendAmount writes, in cents, when it writes one from exact cents (below
// 10^13 in magnitude); nothing for larger values, NaN and infinities.
[[nodiscard]] std::optional<std::int64_t> AmountCents(double value);

}  // namespace dralmoft
