#include "data/message_text.h"

#include <vector>

namespace dralmoft {
namespace {

template <class Char>
std::basic_string<Char> Fill(std::basic_string_view<Char> pattern,
                             std::initializer_list<std::basic_string_view<Char>> parts) {
    const std::vector<std::basic_string_view<Char>> values(parts);
    std::basic_string<Char> text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const Char next = i + 1 < pattern.size() ? pattern[i + 1] : Char{};
        if (pattern[i] == Char{'%'} && next >= Char{'1'} && next <= Char{'9'}) {
            const auto index = static_cast<std::size_t>(next - Char{'1'});
            if (index < values.size()) text += values[index];
            ++i;
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
