// dralmoft-bench-list FOLDER: the window on the company in FOLDER (which the ERP's
// registry keys must point at): how long showing the clients takes (start-up's list and
// a click of "Πελάτες", server calls included), and one search keystroke whose match is
// the last row.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/ledger_export_dialog.h"
#include "win/com_apartment.h"

using namespace dralmoft;
using Clock = std::chrono::steady_clock;

namespace {

double Milliseconds(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2 || !::SetCurrentDirectoryW(argv[1])) {
        std::fputs("usage: dralmoft-bench-list FOLDER\n", stderr);
        return 2;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    const ComApartment apartment;
    {
        LedgerExportDialog window(nullptr);
        auto start = Clock::now();
        window.Create();
        const double startUp = Milliseconds(start);
        const int rows = window.m_list.ItemCount();

        start = Clock::now();
        ::SendMessageW(window.m_clientsRadio.Handle(), BM_CLICK, 0, 0);
        const double click = Milliseconds(start);

        const std::wstring last = std::to_wstring(100000000 + (rows - 1));
        ::SetWindowTextW(window.m_searchEdit.Handle(), L"none such");
        start = Clock::now();
        ::SetWindowTextW(window.m_searchEdit.Handle(), last.c_str());
        const double search = Milliseconds(start);
        const int found = window.m_list.NextSelected(-1);

        // One "name value" line each: scripts/run-bench.sh reads them by name.
        std::printf("rows %d\nstartup_ms %.0f\nclients_click_ms %.0f\nsearch_ms %.1f\nsearch_found_row %d\n", rows,
                    startUp, click, search, found);
    }
    return 0;
}
