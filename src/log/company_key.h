#pragma once
// The key a company's name is compared by: the server's name with its blanks trimmed and
// its letters folded to lower case (Latin and Greek, accented capitals and the final
// sigma too), so that "ΕΤΑΙΡΕΙΑ Α.Ε. " and "Εταιρεια Α.Ε." are one company while a name
// with other letters is another.

#include <string>
#include <string_view>

namespace dralmoft {

[[nodiscard]] std::u16string CompanyKey(std::u16string_view name);

}  // namespace dralmoft
