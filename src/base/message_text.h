#pragma once
// Fills a message template's %1, %2, ... with its parts, in any order the translation
// needs. Portable: the window only shows the result. The wide form carries texts that
// Windows-1253 cannot hold, such as a file's path in any language.

#include <initializer_list>
#include <string>
#include <string_view>

namespace dralmoft {

[[nodiscard]] std::string FillMessage(std::string_view pattern, std::initializer_list<std::string_view> parts);
[[nodiscard]] std::wstring FillMessage(std::wstring_view pattern, std::initializer_list<std::wstring_view> parts);

}  // namespace dralmoft
