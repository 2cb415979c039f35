#include "main_window_fixture.h"

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "app/dialogs/problems_question.h"

namespace dralmoft::test {

void MainWindowTest::SetUp() {
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    ServeCompany(kWindowCompany);
    m_settings.Store(L"Database", m_company.Path());
    m_directory = std::make_unique<CurrentDirectory>(m_work.Path());
}

void MainWindowTest::TearDown() { m_directory.reset(); }

void MainWindowTest::ServeFolder(const std::string& folder) const {
    ServeCompany(SourceFile(folder + "/company.json"));
    for (const char* name : {"client.txt", "supplier.txt", "products.txt", "fpa.txt"})
        WriteAccounts(std::wstring(name, name + std::strlen(name)), SourceFile(folder + "/" + name));
}

void MainWindowTest::ServeCompany(std::string_view json) const {
    std::string named(json);
    const std::size_t open = named.find('{');
    const std::size_t first = named.find_first_not_of(" \t\r\n", open + 1);
    if (open != std::string::npos && first != std::string::npos && named.compare(first, 6, "\"name\"") != 0)
        named.insert(open + 1, named[first] == '}' ? "\"name\": \"Εταιρεία Δοκιμών Α.Ε.\""
                                                   : "\"name\": \"Εταιρεία Δοκιμών Α.Ε.\", ");
    m_company.Write(L"company.json", named);
}

std::unique_ptr<LedgerExportDialog> MainWindowTest::Open() {
    auto dialog = std::make_unique<LedgerExportDialog>(nullptr);
    dialog->Create();
    return dialog;
}

std::vector<std::string> MainWindowTest::Rows(const LedgerExportDialog& dialog) {
    std::vector<std::string> rows;
    for (int row = 0; row < dialog.m_list.ItemCount(); ++row)
        rows.push_back(dialog.m_list.GetItemText(row, 0) + "|" + dialog.m_list.GetItemText(row, 1) + "|" +
                       dialog.m_list.GetItemText(row, 2));
    return rows;
}

std::string SourceFile(const std::string& path) {
    std::ifstream file(std::string(DRALMOFT_SOURCE_DIR) + "/" + path, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

SaveDespiteProblems::SaveDespiteProblems()
    : ModalAnswer(L"Dralmoft", [](HWND question) { Press(question, kProblemsSaveButton); }) {}

void SetPicker(HWND dialog, int id, WORD year, WORD month, WORD day) {
    SYSTEMTIME time{};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = 15;
    ::SendMessageW(::GetDlgItem(dialog, id), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

void EditRow(const LedgerExportDialog& dialog, int row, const wchar_t* account) {
    dialog.m_list.SetSelected(-1, false);
    dialog.m_list.SetSelected(row, true);
    ModalAnswer editor(L"Λογαριασμός λογιστικής", [account](HWND window) {
        Type(window, IDC_ACCOUNT_EDIT, account);
        Press(window, IDOK);
    });
    ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(ID_EDIT_ACCOUNT, 0), 0);
    EXPECT_TRUE(editor.Found()) << "the account editor did not open";
}

}  // namespace dralmoft::test
