#include "data/number_format.h"

#include <charconv>

namespace dralmoft {

std::string FormatFixed(double value, int decimals) {
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (error != std::errc()) return "0";
    return std::string(buffer, end);
}

}  // namespace dralmoft
