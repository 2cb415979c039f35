#include "export/windows/locale_date.h"

#include <windows.h>
#include <oleauto.h>

#include "base/server_error.h"
#include "win/bstr.h"
#include "win/wide_text.h"

namespace dralmoft {

std::string FormatUserDate(double oleDate) {
    Bstr text;
    const HRESULT status = ::VarBstrFromDate(oleDate, LOCALE_USER_DEFAULT, VAR_DATEVALUEONLY, text.Put());
    if (FAILED(status)) throw ServerError(status, FromWide(L"Η ημερομηνία του παραστατικού δεν μπορεί να γραφτεί."));
    return ToText(text);
}

}  // namespace dralmoft
