#include "main_window_fixture.h"

#include <windows.h>
#include <commctrl.h>

#include "data/connection_setup.h"
#include "win/registry_key.h"

namespace dralmoft::test {

void MainWindowTest::SetUp() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES |
                                                       ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    ServeCompany(kWindowCompany);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\Morvanelquist");
    RegistryKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, std::wstring(kSettingsRoot) + L"Database"), 1);
    ASSERT_EQ(key.SetString(kSettingsValue, m_company.Path()), 1);
    m_directory = std::make_unique<CurrentDirectory>(m_work.Path());
}

void MainWindowTest::TearDown() {
    m_directory.reset();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\Morvanelquist");
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

}  // namespace dralmoft::test
