#include "data/message_text.h"

#include <vector>

namespace dralmoft {

std::string FillMessage(std::string_view pattern, std::initializer_list<std::string_view> parts) {
    const std::vector<std::string_view> values(parts);
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9') {
            const auto index = static_cast<std::size_t>(next - '1');
            if (index < values.size()) text += values[index];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

}  // namespace dralmoft
