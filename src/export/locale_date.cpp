#include "export/locale_date.h"

#include <windows.h>
#include <oleauto.h>

#include "data/server_error.h"
#include "win/bstr.h"

namespace dralmoft {

std::string FormatUserDate(double oleDate) {
    Bstr text;
    const HRESULT status = ::VarBstrFromDate(oleDate, LOCALE_USER_DEFAULT, VAR_DATEVALUEONLY, text.Put());
    if (FAILED(status)) throw ServerError(status, "a document date cannot be written");
    return ToText(text);
}

}  // namespace dralmoft
