#pragma once
// Numbers as the files want them, whatever the locale: fixed point, '.' as decimal
// point, no grouping, rounded only here ("%.2f", "%f").

#include <string>

namespace dralmoft {

[[nodiscard]] std::string FormatFixed(double value, int decimals);

}  // namespace dralmoft
