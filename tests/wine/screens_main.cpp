// dralmoft-screens: shows the windows one after the other for scripts/screenshots.sh.
// For each picture it names a stage in the file "stage" of the current directory and
// waits until the script, having taken the picture, removes the file.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>
#include <tuple>

#include "app/dialogs/problems_question.h"
#include "app/main_window/ledger_export_dialog.h"

using namespace dralmoft;

namespace {

void Stage(const char* name) {
    std::ofstream("stage.tmp") << name;
    std::filesystem::rename("stage.tmp", "stage");
    while (std::filesystem::exists("stage")) ::Sleep(50);
}

// A click, as the button itself takes it: checked, then its command sent.
void Click(HWND dialog, int id) { ::PostMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

HWND WaitForDialog(const wchar_t* title) {
    for (int i = 0; i < 200; ++i) {
        if (const HWND found = ::FindWindowW(L"#32770", title)) return found;
        ::Sleep(25);
    }
    return nullptr;
}

void SetYear(HWND dialog, WORD year) {
    for (const auto& [id, month, day] : {std::tuple{IDC_DATE_FROM, 1, 1}, std::tuple{IDC_DATE_TO, 12, 31}}) {
        SYSTEMTIME time{};
        time.wYear = year;
        time.wMonth = static_cast<WORD>(month);
        time.wDay = static_cast<WORD>(day);
        ::SendMessageW(::GetDlgItem(dialog, id), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    }
}

// Waits for the dialog titled `title`, names the stage of its picture and, once taken,
// closes it with `close`; `inside` runs between (for the dialogs it opens).
void Picture(const wchar_t* title, const char* stage, int close = IDCANCEL,
             const std::function<void(HWND)>& inside = {}) {
    if (const HWND shown = WaitForDialog(title)) {
        ::Sleep(500);
        Stage(stage);
        if (inside) inside(shown);
        ::PostMessageW(shown, WM_COMMAND, close, 0);
    }
    ::Sleep(300);
}

// The period check of the demo year: its report and its account proposals (closed without
// storing them), then the question an export asks.
void ShowCheck(HWND dialog) {
    SetYear(dialog, 2026);
    Click(dialog, IDC_CHECK);
    Picture(L"Έλεγχος περιόδου", "check-report", IDCANCEL, [](HWND report) {
        Click(report, IDC_REPORT_PROPOSALS);
        Picture(L"Προτάσεις λογαριασμών", "proposals");
    });
    ::SendMessageW(::GetDlgItem(dialog, IDC_FILE_PATH), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"2026.txt"));
    Click(dialog, IDC_EXPORT);
    Picture(L"Dralmoft", "check-question");
}

// The export log: the year exported once (despite its problems), then the question when
// it is exported again, the history and the batch's documents.
void ShowLog(HWND dialog) {
    Click(dialog, IDC_EXPORT);
    if (const HWND problems = WaitForDialog(L"Dralmoft")) {
        ::Sleep(300);
        ::PostMessageW(problems, WM_COMMAND, kProblemsSaveButton, 0);
    }
    ::Sleep(500);
    Click(dialog, IDC_EXPORT);
    Picture(L"Dralmoft", "log-question");
    Click(dialog, IDC_HISTORY);
    Picture(L"Εξαγωγές", "history", IDCANCEL, [](HWND history) {
        Click(history, IDC_HISTORY_DOCUMENTS);
        Picture(L"Έγγραφα εξαγωγής", "batch-documents");
    });
}

void Drive(HWND dialog) {
    ::Sleep(500);
    Stage("main");
    for (const auto& [button, stage] : {std::pair{IDC_SUPPLIERS, "suppliers"}, std::pair{IDC_ITEMS, "items"},
                                        std::pair{IDC_VAT_RATES, "vat-rates"}}) {
        Click(dialog, button);
        ::Sleep(300);
        Stage(stage);
    }
    Click(dialog, IDC_CLIENTS);
    ::Sleep(300);
    ::PostMessageW(dialog, WM_APP, 0, 0);  // selects rows on the window's thread
    ::Sleep(300);
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(ID_EDIT_ACCOUNT, 0), 0);
    Picture(L"Λογαριασμός λογιστικής", "account-editor");
    ::PostMessageW(dialog, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    Picture(L"About Dralmoft", "about", IDOK);
    ShowCheck(dialog);
    ShowLog(dialog);
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

int wmain() {
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    ::CoInitialize(nullptr);
    {
        LedgerExportDialog window(nullptr);
        const HWND dialog = window.Create();
        std::thread driver(Drive, dialog);
        MSG message;
        while (!window.Ended() && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (message.hwnd == dialog && message.message == WM_APP) {
                for (const int row : {0, 2, 3}) window.m_list.SetSelected(row, true);
                continue;
            }
            if (!::IsDialogMessageW(dialog, &message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
        }
        driver.join();
    }
    ::CoUninitialize();
    return 0;
}
