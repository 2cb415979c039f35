#include "app/ledger_export_app.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/ledger_export_dialog.h"

namespace dralmoft {
namespace {

// COM for the thread, from before the window is made until after it is gone, so that
// the window's server references are released while COM still runs.
class ComApartment {
public:
    ComApartment() { ::CoInitialize(nullptr); }
    ~ComApartment() { ::CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};

}  // namespace

bool LedgerExportApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES |
                                                       ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    const ComApartment apartment;
    LedgerExportDialog dialog(nullptr);
    dialog.DoModal();
    return false;
}

}  // namespace dralmoft
