#include "ui/data_exchange.h"

#include <commctrl.h>

#include "ui/ole_date.h"
#include "ui/window_text.h"

namespace dralmoft {

void DataExchange::Text(int id, std::string& member) const {
    const HWND control = ::GetDlgItem(m_dialog, id);
    if (m_saving) member = GetWindowText1253(control);
    else SetWindowText1253(control, member);
}

void DataExchange::Date(int id, double& member) const {
    const HWND picker = ::GetDlgItem(m_dialog, id);
    if (m_saving) {
        SYSTEMTIME time{};
        if (::SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) == GDT_VALID)
            member = ToOleDate(time);
    } else {
        SYSTEMTIME time = FromOleDate(member);
        ::SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    }
}

}  // namespace dralmoft
