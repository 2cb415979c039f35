#include "base/message_text.h"

#include <optional>
#include <vector>

namespace dralmoft {
namespace {

template <class Char>
std::basic_string<Char> Fill(std::basic_string_view<Char> pattern,
                             std::initializer_list<std::basic_string_view<Char>> parts) {
    const std::vector<std::basic_string_view<Char>> values(parts);
    std::basic_string<Char> text;
    std::optional<std::basic_string_view<Char>> last;  // the part filled in last
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == Char{'{'}) {
            // "{3:one|many}" names its part; "{one|many}" follows the part filled in last.
            std::size_t from = i + 1;
            std::optional<std::basic_string_view<Char>> count = last;
            if (from + 1 < pattern.size() && pattern[from] >= Char{'1'} && pattern[from] <= Char{'9'} &&
                pattern[from + 1] == Char{':'}) {
                const auto number = static_cast<std::size_t>(pattern[from] - Char{'0'});
                count = number <= values.size() ? std::optional(values[number - 1]) : std::nullopt;
                from += 2;
            }
            const std::size_t bar = pattern.find(Char{'|'}, from);
            const std::size_t end = bar == std::basic_string_view<Char>::npos ? bar : pattern.find(Char{'}'}, bar);
            const bool closed = end != std::basic_string_view<Char>::npos &&
                                pattern.substr(from, bar - from).find(Char{'}'}) == std::basic_string_view<Char>::npos;
            if (count && closed) {
                const bool one = count->size() == 1 && (*count)[0] == Char{'1'};
                text += one ? pattern.substr(from, bar - from) : pattern.substr(bar + 1, end - bar - 1);
                i = end;
                continue;
            }
        }
        const auto digit = [&](std::size_t at) {
            return at < pattern.size() && pattern[at] >= Char{'0'} && pattern[at] <= Char{'9'};
        };
        if (pattern[i] == Char{'%'} && digit(i + 1) && pattern[i + 1] != Char{'0'}) {
            // As FormatMessage reads them: one or two digits, %1 to %99.
            std::size_t number = static_cast<std::size_t>(pattern[++i] - Char{'0'});
            if (digit(i + 1)) number = number * 10 + static_cast<std::size_t>(pattern[++i] - Char{'0'});
            if (number - 1 < values.size()) {
                text += values[number - 1];
                last = values[number - 1];
            }
        } else {
            text += pattern[i];
        }
    }
    return text;
}

}  // namespace

std::string FillMessage(std::string_view pattern, std::initializer_list<std::string_view> parts) {
    return Fill(pattern, parts);
}

std::wstring FillMessage(std::wstring_view pattern, std::initializer_list<std::wstring_view> parts) {
    return Fill(pattern, parts);
}

}  // namespace dralmoft
