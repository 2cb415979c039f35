#include "app/main_window/ledger_export_app.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/main_window/ledger_export_dialog.h"
#include "win/com_apartment.h"

namespace dralmoft {

void LedgerExportApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    const ComApartment apartment;
    LedgerExportDialog dialog(nullptr);
    dialog.DoModal();
}

}  // namespace dralmoft
