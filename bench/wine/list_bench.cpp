// dralmoft-bench-list FOLDER: the window on the company in FOLDER (which the settings key
// must point at): how long showing the clients takes (start-up's list and a click of
// "Πελάτες", server calls included), a search keystroke whose match is the last row (with
// the list's scroll there from the top, and without), and the items shown by a click of
// "Είδη".
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/main_window/ledger_export_dialog.h"
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
        // From the top to the last row: the search and the list's scroll with its paint.
        start = Clock::now();
        ::SetWindowTextW(window.m_searchEdit.Handle(), last.c_str());
        const double scrolled = Milliseconds(start);
        // The last row again, by its name this time, the list already there: the search.
        const std::wstring lastName = L"Πελάτης " + std::to_wstring(rows - 1);
        start = Clock::now();
        ::SetWindowTextW(window.m_searchEdit.Handle(), lastName.c_str());
        const double search = Milliseconds(start);
        const int found = window.m_list.NextSelected(-1);

        // One "name value" line each: scripts/run-bench.sh reads them by name.
        start = Clock::now();
        ::SendMessageW(window.m_itemsRadio.Handle(), BM_CLICK, 0, 0);
        const double items = Milliseconds(start);
        const int itemRows = window.m_list.ItemCount();

        std::printf("rows %d\nstartup_ms %.0f\nclients_click_ms %.0f\nsearch_ms %.1f\nsearch_scroll_ms %.1f\n", rows,
                    startUp, click, search, scrolled);
        std::printf("search_found_row %d\nitem_rows %d\nitems_click_ms %.0f\n", found, itemRows, items);
    }
    return 0;
}
