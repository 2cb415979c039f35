// The account editor through the real window: the selected rows, the table, the file.
#include <atomic>
#include <functional>
#include <thread>

#include "main_window_fixture.h"

namespace dralmoft::test {
namespace {

// Answers the account editor: checks nothing itself, types `account` and presses OK, or
// presses Cancel when `account` is null.
std::function<void(HWND)> Answer(const wchar_t* account) {
    return [account](HWND editor) {
        if (account == nullptr) {
            Press(editor, IDCANCEL);
            return;
        }
        Type(editor, IDC_ACCOUNT_EDIT, account);
        Press(editor, IDOK);
    };
}

void EditCommand(const LedgerExportDialog& dialog) {
    ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(ID_EDIT_ACCOUNT, 0), 0);
}

using AccountEditor = MainWindowTest;

TEST_F(AccountEditor, SelectedRowsTakeTheAccountAndTheFileIsWritten) {
    WriteAccounts(L"client.txt", "099999999;30.00.0001\r\n");
    const auto dialog = Open();
    for (const int row : {0, 2}) dialog->m_list.SetSelected(row, true);

    ModalAnswer editor(L"Λογαριασμός λογιστικής", Answer(L"30.00.0099"));
    EditCommand(*dialog);
    ASSERT_TRUE(editor.Found());
    // The editor showed the first selected row: name, tax id, account.
    EXPECT_EQ(editor.Texts()[0], L"30.00.0001");
    EXPECT_EQ(editor.Texts()[3], L"Αλφα Α.Ε.");
    EXPECT_EQ(editor.Texts()[4], L"099999999");

    EXPECT_EQ(Rows(*dialog),
              (std::vector<std::string>{Text1253(u"099999999|Αλφα Α.Ε.|30.00.0099"), Text1253(u" 77 |Γάμμα|"),
                                        Text1253(u"099999999|Δέλτα|30.00.0099")}));
    EXPECT_EQ(Accounts(L"client.txt"), "099999999;30.00.0099\r\n");
}

// " 77 " would come back from the file as "77 ": the edit is refused for the row, in
// Greek, and nothing changes, neither the file nor the list.
TEST_F(AccountEditor, WhatTheFileCannotKeepIsRefusedForItsRow) {
    WriteAccounts(L"client.txt", "099999999;30.00.0001\r\n");
    const auto dialog = Open();
    for (const int row : {0, 1, 2}) dialog->m_list.SetSelected(row, true);
    ModalAnswer editor(L"Λογαριασμός λογιστικής", Answer(L"30.00.0099"));
    ModalAnswer refusal(L"Dralmoft");
    EditCommand(*dialog);
    ASSERT_TRUE(editor.Found());
    ASSERT_TRUE(refusal.Found());
    EXPECT_NE(refusal.AllText().find(L"« 77 » αρχίζει με κενό"), std::wstring::npos) << refusal.AllText();
    EXPECT_NE(refusal.AllText().find(L"client.txt"), std::wstring::npos);
    EXPECT_EQ(Accounts(L"client.txt"), "099999999;30.00.0001\r\n");
    EXPECT_EQ(Rows(*dialog)[0], Text1253(u"099999999|Αλφα Α.Ε.|30.00.0001"));
}

// Without an account set by this window nothing is written: an unsorted file, or one that
// another program changed, stays byte for byte.
TEST_F(AccountEditor, CancelAndNoSelectionLeaveTheFileAsItIs) {
    const std::string unsorted = "800000002;b\r\n800000001;a\r\n3;  \r\n";
    WriteAccounts(L"supplier.txt", unsorted);
    const auto dialog = Open();
    Press(dialog->Handle(), IDC_SUPPLIERS);
    EditCommand(*dialog);  // nothing selected: no editor
    EXPECT_EQ(Accounts(L"supplier.txt"), unsorted);
    dialog->m_list.SetSelected(0, true);
    ModalAnswer editor(L"Λογαριασμός λογιστικής", Answer(nullptr));
    EditCommand(*dialog);
    ASSERT_TRUE(editor.Found());
    EXPECT_EQ(Rows(*dialog)[0], Text1253(u"800000001|Προμηθευτής Ένα|a"));
    EXPECT_EQ(Accounts(L"supplier.txt"), unsorted);
}

TEST_F(AccountEditor, BlankAccountRemovesTheItemEverywhereItIsShown) {
    WriteAccounts(L"products.txt", "\xCC\xDD\xEB\xE9;20.00;70.00\r\n");  // "Μέλι"
    const auto dialog = Open();
    Press(dialog->Handle(), IDC_ITEMS);
    dialog->m_list.SetSelected(1, true);
    ModalAnswer editor(L"Λογαριασμός λογιστικής", Answer(L"   "));
    EditCommand(*dialog);
    ASSERT_TRUE(editor.Found());
    EXPECT_EQ(Accounts(L"products.txt"), "");
    // The list shows the file as saved: both items named "Μέλι" have no account now.
    EXPECT_EQ(Rows(*dialog)[1], Text1253(u"1002|Μέλι|"));
    EXPECT_EQ(Rows(*dialog)[2], Text1253(u"1004|Μέλι|"));
}

TEST_F(AccountEditor, VatRowKeepsItsExactRate) {
    const auto dialog = Open();
    Press(dialog->Handle(), IDC_VAT_RATES);
    dialog->m_list.SetSelected(1, true);  // 6.126, shown as 6.13
    ModalAnswer editor(L"Λογαριασμός λογιστικής", Answer(L"54.00;54.00.0006;54.00.1006"));
    EditCommand(*dialog);
    ASSERT_TRUE(editor.Found());
    EXPECT_EQ(editor.Texts()[3], L"6.13");
    EXPECT_EQ(editor.Texts()[4], L"6.13");
    EXPECT_EQ(Accounts(L"fpa.txt"), "6.126000;54.00;54.00.0006;54.00.1006\r\n");
    Press(dialog->Handle(), IDC_VAT_RATES);
    EXPECT_EQ(Rows(*dialog)[1], "6.13|6.13|54.00;54.00.0006;54.00.1006") << "the next list finds it";
}

// The popup menu's window while one is shown, or null.
HWND ShownMenu() {
    const HWND menu = ::FindWindowW(L"#32768", nullptr);
    return menu != nullptr && ::IsWindowVisible(menu) ? menu : nullptr;
}

TEST_F(AccountEditor, ContextMenuOnlyOverTheList) {
    const auto dialog = Open();
    // Over another control: no menu, so the call returns at once.
    ::SendMessageW(dialog->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(dialog->m_searchEdit.Handle()),
                   MAKELPARAM(10, 10));
    EXPECT_EQ(ShownMenu(), nullptr);

    // Over the list, from the keyboard: the menu opens (and is dismissed here).
    std::atomic<bool> shown{false};
    const HWND owner = dialog->Handle();
    std::thread closer([&] {
        for (int i = 0; i < 200 && !shown; ++i) {
            if (ShownMenu() != nullptr) shown = true;
            else ::Sleep(10);
        }
        ::PostMessageW(owner, WM_CANCELMODE, 0, 0);
    });
    ::SendMessageW(dialog->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(dialog->m_list.Handle()),
                   MAKELPARAM(-1, -1));
    closer.join();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(dialog->Ended());
}

}  // namespace
}  // namespace dralmoft::test
