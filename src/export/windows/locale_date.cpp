#include "export/windows/locale_date.h"

#include <windows.h>
#include <oleauto.h>

#include "base/iso_date.h"
#include "win/bstr.h"

namespace dralmoft {

std::optional<std::string> FormatUserDate(double oleDate) {
    Bstr text;
    if (FAILED(::VarBstrFromDate(oleDate, LOCALE_USER_DEFAULT, VAR_DATEVALUEONLY, text.Put()))) return std::nullopt;
    return ToText(text);
}

std::string UserDateText(double oleDate) { return FormatUserDate(oleDate).value_or(FormatIsoDate(oleDate)); }

}  // namespace dralmoft
