#include "ui/ole_date.h"

#include <commctrl.h>
#include <oleauto.h>

namespace dralmoft {

double ToOleDate(const SYSTEMTIME& time) {
    double date = 0.0;
    ::SystemTimeToVariantTime(const_cast<SYSTEMTIME*>(&time), &date);
    return date;
}

SYSTEMTIME FromOleDate(double date) {
    SYSTEMTIME time{};
    ::VariantTimeToSystemTime(date, &time);
    return time;
}

void LimitDatePicker(HWND picker, double first, double last) {
    SYSTEMTIME range[2] = {FromOleDate(first), FromOleDate(last)};
    ::SendMessageW(picker, DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range));
}

double OleNow() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    now.wMilliseconds = 0;
    return ToOleDate(now);
}

}  // namespace dralmoft
