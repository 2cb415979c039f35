// dralmoft-test-helper: another program, for the Wine tests that need one.
//   hold FILE MILLISECONDS       holds FILE open exclusively, as a backup or an antivirus would
//   lock FILE MILLISECONDS       holds FILE as a save's lock (created, deleted on close)
//                                (both create "FILE.held" once they hold it)
//   edit KIND ROW ACCOUNT        another window: opens the main window in the current
//                                folder, shows KIND (clients, suppliers, items, vat) and
//                                sets ROW's account through the editor
//   record FILE ARGUMENT         writes ARGUMENT to FILE (UTF-16): a stand-in for the
//                                program Windows opens a kind of file with
// Exit 0 when done, 1 when the file could not be held or the window not opened, 2 on a
// usage error.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "app/main_window/ledger_export_dialog.h"
#include "dialog_driver.h"
#include "win/com_apartment.h"
#include "win/unique_handle.h"

using namespace dralmoft;

namespace {

// Holds `path`, then marks it held with "<path>.held" for the test that waits for it.
int Hold(const std::wstring& path, DWORD milliseconds, DWORD flags) {
    UniqueFile held;
    // Another program may have the file open for a moment: try for a while, as a backup would.
    for (int attempt = 0; attempt < 200 && !held.Valid(); ++attempt) {
        held.Reset(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, flags, nullptr));
        if (!held.Valid()) ::Sleep(25);
    }
    if (!held.Valid()) {
        std::fwprintf(stderr, L"cannot hold %ls: error %lu\n", path.c_str(), ::GetLastError());
        return 1;
    }
    const std::wstring mark = path + L".held";
    UniqueFile(::CreateFileW(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ::Sleep(milliseconds);
    ::DeleteFileW(mark.c_str());
    return 0;
}

int EditAccount(const std::wstring& kind, int row, const std::wstring& account) {
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    const ComApartment apartment;
    LedgerExportDialog window(nullptr);
    if (window.Create() == nullptr || window.Ended()) return 1;
    const int button = kind == L"suppliers" ? IDC_SUPPLIERS
                       : kind == L"items"   ? IDC_ITEMS
                       : kind == L"vat"     ? IDC_VAT_RATES
                                            : IDC_CLIENTS;
    test::Press(window.Handle(), button);
    window.m_list.SetSelected(row, true);
    test::ModalAnswer editor(L"Λογαριασμός λογιστικής", [&account](HWND dialog) {
        test::Type(dialog, IDC_ACCOUNT_EDIT, account);
        test::Press(dialog, IDOK);
    });
    ::SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(ID_EDIT_ACCOUNT, 0), 0);
    return editor.Found() ? 0 : 1;
}

int Record(const std::wstring& path, const std::wstring& argument) {
    const UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    const auto bytes = static_cast<DWORD>(argument.size() * sizeof(wchar_t));
    return file.Valid() && ::WriteFile(file.Get(), argument.data(), bytes, &written, nullptr) && written == bytes ? 0
                                                                                                                  : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if ((mode == L"hold" || mode == L"lock") && argc == 4)
        return Hold(argv[2], static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)),
                    mode == L"lock" ? FILE_FLAG_DELETE_ON_CLOSE : FILE_ATTRIBUTE_NORMAL);
    if (mode == L"edit" && argc == 5) return EditAccount(argv[2], std::stoi(argv[3]), argv[4]);
    if (mode == L"record" && argc == 4) return Record(argv[2], argv[3]);
    return 2;
}
