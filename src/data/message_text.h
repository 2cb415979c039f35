#pragma once
// Fills a message template's %1, %2, ... with its parts, in any order the translation
// needs. Portable: the window only shows the result.

#include <initializer_list>
#include <string>
#include <string_view>

namespace dralmoft {

[[nodiscard]] std::string FillMessage(std::string_view pattern, std::initializer_list<std::string_view> parts);

}  // namespace dralmoft
