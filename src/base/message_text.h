#pragma once
// Fills a message template's %1, %2, ... with its parts, in any order the translation
// needs. Portable: the window only shows the result. The wide form carries texts that
// Windows-1253 cannot hold, such as a file's path in any language.
//
// A count's words follow it in number: "{one|many}" after a part takes "one" when that
// part is exactly "1" and "many" otherwise, so that "%1 {έγγραφο έχει|έγγραφα έχουν}" reads
// "1 έγγραφο έχει" and "3 έγγραφα έχουν"; "{2:one|many}" follows part 2 wherever it stands
// ("{1:Αποθηκεύτηκε|Αποθηκεύτηκαν} %1"). A brace without a part to follow, or without a
// '|' and a '}', is text.

#include <initializer_list>
#include <string>
#include <string_view>

namespace dralmoft {

[[nodiscard]] std::string FillMessage(std::string_view pattern, std::initializer_list<std::string_view> parts);
[[nodiscard]] std::wstring FillMessage(std::wstring_view pattern, std::initializer_list<std::wstring_view> parts);

}  // namespace dralmoft
