// dralmoft.exe: the window.
#include <windows.h>

#include "app/main_window/ledger_export_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    dralmoft::LedgerExportApp app;
    app.InitInstance();
    return 0;
}
