// dralmoft.exe: the window.
#include <windows.h>

#include "app/main_window/ledger_export_app.h"
#include "app/shared/running_mark.h"
#include "win/low_fragmentation_heaps.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    dralmoft::UseLowFragmentationHeaps();
    // For the installer: the window runs from this folder.
    const dralmoft::RunningMark running;
    dralmoft::LedgerExportApp app;
    app.InitInstance();
    return 0;
}
