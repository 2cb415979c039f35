#include "base/message_text.h"

#include <vector>

namespace dralmoft {
namespace {

template <class Char>
std::basic_string<Char> Fill(std::basic_string_view<Char> pattern,
                             std::initializer_list<std::basic_string_view<Char>> parts) {
    const std::vector<std::basic_string_view<Char>> values(parts);
    std::basic_string<Char> text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const auto digit = [&](std::size_t at) {
            return at < pattern.size() && pattern[at] >= Char{'0'} && pattern[at] <= Char{'9'};
        };
        if (pattern[i] == Char{'%'} && digit(i + 1) && pattern[i + 1] != Char{'0'}) {
            // As FormatMessage reads them: one or two digits, %1 to %99.
            std::size_t number = static_cast<std::size_t>(pattern[++i] - Char{'0'});
            if (digit(i + 1)) number = number * 10 + static_cast<std::size_t>(pattern[++i] - Char{'0'});
            if (number - 1 < values.size()) text += values[number - 1];
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
