// The main window from its template: start-up state, layout, the two radio groups,
// closing, the About box, and start-up failures.
#include <windows.h>
#include <commctrl.h>

#include <stdexcept>
#include <thread>
#include <tuple>

#include "app/dialogs/app_dialog.h"
#include "app/shared/version.h"
#include "dialog_template.h"
#include "main_window_fixture.h"
#include "win/unique_handle.h"

namespace dralmoft::test {
namespace {

// A control as a template holds it.
struct ExpectedControl {
    int id;  // -1 for a label
    const wchar_t* className;
    const wchar_t* text;  // its text as the template gives it
    RECT place;           // x, y, width, height in dialog units
    DWORD styles;         // everything beyond WS_CHILD | WS_VISIBLE
};

constexpr DWORD kLabel = SS_RIGHT | SS_CENTERIMAGE | WS_GROUP;
constexpr DWORD kTextBox = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;

// The main window's 21 controls (template 102), in tab order: users know the window by
// them, so they stay exactly as they are; new controls come after them ("Έλεγχος...",
// "Εξαγωγές...").
const ExpectedControl kMainWindowControls[] = {
    {1002, L"SysDateTimePick32", L"", {81, 7, 100, 12}, DTS_RIGHTALIGN | WS_TABSTOP},
    {1003, L"SysDateTimePick32", L"", {245, 7, 100, 12}, DTS_RIGHTALIGN | WS_TABSTOP},
    {1000, L"Edit", L"", {81, 24, 248, 12}, kTextBox},
    {1001, L"Button", L"...", {333, 24, 12, 12}, BS_PUSHBUTTON | WS_TABSTOP},
    {1, L"Button", L"Έ&ξοδος", {350, 300, 70, 22}, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {-1, L"Static", L"Αποθήκευση αρχείου", {7, 24, 70, 12}, kLabel},
    {-1, L"Static", L"Από Ημ/νία", {7, 7, 70, 12}, kLabel},
    {-1, L"Static", L"Έως Ημ/νία", {184, 7, 45, 12}, kLabel},
    {1005, L"SysListView32", L"", {7, 75, 338, 227}, LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP},
    {1009, L"Button", L"Άρθρα", {350, 7, 70, 22}, BS_PUSHBUTTON | WS_TABSTOP},
    {1011, L"Button", L"Fixed Length file", {10, 41, 66, 12}, BS_AUTORADIOBUTTON | WS_GROUP},
    {1012, L"Button", L"Separator", {78, 41, 45, 12}, BS_AUTORADIOBUTTON},
    {1013, L"Edit", L"", {129, 41, 26, 12}, kTextBox},
    {1014, L"Button", L"Code Page 1253", {173, 41, 69, 12}, BS_AUTOCHECKBOX | BS_LEFTTEXT | WS_TABSTOP},
    {1016, L"msctls_progress32", L"", {7, 308, 338, 14}, PBS_SMOOTH | WS_BORDER},
    {1004, L"Edit", L"", {81, 58, 264, 12}, kTextBox},
    {-1, L"Static", L"Εύρεση του", {7, 58, 70, 12}, kLabel},
    {1017, L"Button", L"Πελάτες", {359, 58, 61, 10}, BS_AUTORADIOBUTTON},
    {1018, L"Button", L"Προμηθευτες", {359, 71, 61, 10}, BS_AUTORADIOBUTTON},
    {1019, L"Button", L"Είδη", {359, 84, 61, 10}, BS_AUTORADIOBUTTON},
    {1020, L"Button", L"ΦΠΑ", {359, 97, 61, 10}, BS_AUTORADIOBUTTON},
    {1021, L"Button", L"Έλεγχος...", {350, 114, 70, 22}, BS_PUSHBUTTON | WS_TABSTOP},
    {1022, L"Button", L"Εξαγωγές...", {350, 140, 70, 22}, BS_PUSHBUTTON | WS_TABSTOP},
};

SYSTEMTIME PickerDate(HWND dialog, int id) {
    SYSTEMTIME time{};
    ::SendMessageW(::GetDlgItem(dialog, id), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    return time;
}

int Checked(HWND dialog, int id) { return static_cast<int>(::IsDlgButtonChecked(dialog, id)); }

using MainWindow = MainWindowTest;

TEST_F(MainWindow, OpensWithItsStartState) {
    const auto dialog = Open();
    const HWND window = dialog->Handle();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(dialog->Ended());
    EXPECT_EQ(TextOf(window), L"Δημιουργία αρχείου για Γενική Λογιστική");
    EXPECT_EQ(Checked(window, 1011), BST_CHECKED);
    EXPECT_EQ(Checked(window, 1012), BST_UNCHECKED);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(window, 1013)));
    EXPECT_EQ(Checked(window, 1014), BST_UNCHECKED);
    EXPECT_EQ(Checked(window, 1017), BST_CHECKED);
    EXPECT_EQ(Checked(window, 1018) + Checked(window, 1019) + Checked(window, 1020), 0);

    SYSTEMTIME today{};
    ::GetLocalTime(&today);
    for (const int picker : {1002, 1003}) {
        const SYSTEMTIME shown = PickerDate(window, picker);
        EXPECT_EQ(std::tie(shown.wYear, shown.wMonth, shown.wDay), std::tie(today.wYear, today.wMonth, today.wDay));
        // The days a period can span: 1900-01-01 to 9999-12-31.
        SYSTEMTIME range[2] = {};
        const LRESULT limits = ::SendDlgItemMessageW(window, picker, DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range));
        EXPECT_EQ(limits, GDTR_MIN | GDTR_MAX);
        EXPECT_EQ(std::tie(range[0].wYear, range[0].wMonth, range[0].wDay),
                  std::make_tuple(WORD{1900}, WORD{1}, WORD{1}));
        EXPECT_EQ(std::tie(range[1].wYear, range[1].wMonth, range[1].wDay),
                  std::make_tuple(WORD{9999}, WORD{12}, WORD{31}));
    }
    EXPECT_EQ(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW, WS_EX_APPWINDOW);
    EXPECT_EQ(dialog->m_list.ItemCount(), 3) << "the clients are listed";
}

// What the live window cannot show as the template gives it: the window's style and font,
// and each control's text and styles (the live test below holds their order, ids, classes
// and places).
TEST(MainWindowTemplate, HoldsItsControlsExactly) {
    const DialogTemplate dialog = LoadDialogTemplate(IDD_LEDGEREXPORT_DIALOG);
    EXPECT_EQ(dialog.style,
              static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(dialog.exStyle, static_cast<DWORD>(WS_EX_APPWINDOW));
    EXPECT_EQ(std::tie(dialog.place.right, dialog.place.bottom), std::make_tuple(427L, 329L));
    EXPECT_EQ(dialog.title, L"Δημιουργία αρχείου για Γενική Λογιστική");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.font, L"MS Sans Serif");
    ASSERT_EQ(dialog.items.size(), std::size(kMainWindowControls));
    for (std::size_t i = 0; i < dialog.items.size(); ++i) {
        const TemplateItem& item = dialog.items[i];
        const ExpectedControl& control = kMainWindowControls[i];
        EXPECT_EQ(item.text, control.text) << control.id;
        EXPECT_EQ(item.style, WS_CHILD | WS_VISIBLE | control.styles) << "styles of " << control.id;
        EXPECT_EQ(item.exStyle, 0u) << control.id;
    }
}

TEST_F(MainWindow, ShowsEveryControlInTabOrderInItsPlace) {
    const auto dialog = Open();
    HWND child = ::GetWindow(dialog->Handle(), GW_CHILD);
    for (const ExpectedControl& control : kMainWindowControls) {
        ASSERT_NE(child, nullptr) << "missing control " << control.id;
        wchar_t className[64] = {};
        ::GetClassNameW(child, className, 64);
        EXPECT_EQ(_wcsicmp(className, control.className), 0) << control.id;
        EXPECT_EQ(::GetDlgCtrlID(child), control.id);
        // Windows maps a control's place and size apart, as the template gives them.
        RECT expected = control.place;
        ::MapDialogRect(dialog->Handle(), &expected);
        expected.right += expected.left;
        expected.bottom += expected.top;
        RECT actual{};
        ::GetWindowRect(child, &actual);
        ::MapWindowPoints(nullptr, dialog->Handle(), reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(std::tie(actual.left, actual.top, actual.right, actual.bottom),
                  std::tie(expected.left, expected.top, expected.right, expected.bottom))
            << "place of " << control.id;
        child = ::GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "a control more than the template has";
}

TEST(OtherTemplates, AccountEditorAndAboutBox) {
    const DialogTemplate editor = LoadDialogTemplate(IDD_ACCOUNT);
    EXPECT_EQ(editor.style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(std::tie(editor.place.right, editor.place.bottom), std::make_tuple(335L, 66L));
    EXPECT_EQ(editor.title, L"Λογαριασμός λογιστικής");
    EXPECT_EQ(editor.font, L"MS Sans Serif");
    const std::vector<ExpectedControl> editorItems = {
        {1008, L"Edit", L"", {171, 47, 99, 12}, kTextBox},
        {1, L"Button", L"OK", {278, 7, 50, 14}, BS_DEFPUSHBUTTON | WS_TABSTOP},
        {2, L"Button", L"Cancel", {278, 24, 50, 14}, BS_PUSHBUTTON | WS_TABSTOP},
        // The row's name and tax id are data, not labels: "&" in "Ιωάννης & ΣΙΑ" is shown.
        {1006, L"Static", L"Όνομα", {7, 7, 263, 12}, SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX | WS_GROUP},
        {1007, L"Static", L"ΑΦΜ", {7, 27, 263, 12}, SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX | WS_GROUP},
        {-1, L"Static", L"Λογαριασμός Αγορών ; Πωλήσεων", {9, 47, 147, 12}, kLabel},
    };
    ASSERT_EQ(editor.items.size(), editorItems.size());
    for (std::size_t i = 0; i < editorItems.size(); ++i) {
        EXPECT_EQ(editor.items[i].id, editorItems[i].id);
        EXPECT_EQ(editor.items[i].text, editorItems[i].text);
        EXPECT_EQ(editor.items[i].style, WS_CHILD | WS_VISIBLE | editorItems[i].styles) << editorItems[i].id;
        EXPECT_EQ(editor.items[i].place.left, editorItems[i].place.left);
        EXPECT_EQ(editor.items[i].place.right, editorItems[i].place.right);
    }

    const DialogTemplate about = LoadDialogTemplate(IDD_ABOUTBOX);
    EXPECT_EQ(about.style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(std::tie(about.place.right, about.place.bottom), std::make_tuple(235L, 55L));
    EXPECT_EQ(about.title, L"About Dralmoft");
    ASSERT_EQ(about.items.size(), 4u);
    EXPECT_EQ(std::tie(about.items[0].place.left, about.items[0].place.top), std::make_tuple(11L, 17L));
    EXPECT_EQ(about.items[1].text, L"Dralmoft Version 1.0");
    EXPECT_EQ(about.items[1].style & SS_NOPREFIX, static_cast<DWORD>(SS_NOPREFIX));
    EXPECT_EQ(std::tie(about.items[2].place.left, about.items[2].place.top), std::make_tuple(40L, 25L));
    EXPECT_EQ(about.items[2].text, L"Έκδοση " DRALMOFT_VERSION_WIDE L", © 2026 Dralmoft");
    EXPECT_EQ(about.items[3].id, IDOK);
    EXPECT_EQ(about.items[3].style & BS_DEFPUSHBUTTON, static_cast<DWORD>(BS_DEFPUSHBUTTON));
}

TEST_F(MainWindow, TheTwoRadioGroupsAreExclusiveAndIndependent) {
    const auto dialog = Open();
    const HWND window = dialog->Handle();
    Press(window, 1012);
    EXPECT_EQ(Checked(window, 1011), BST_UNCHECKED);
    EXPECT_EQ(Checked(window, 1012), BST_CHECKED);
    EXPECT_EQ(Checked(window, 1017), BST_CHECKED) << "the list kinds are a group of their own";
    Press(window, 1019);
    EXPECT_EQ(Checked(window, 1017), BST_UNCHECKED);
    EXPECT_EQ(Checked(window, 1019), BST_CHECKED);
    EXPECT_EQ(Checked(window, 1012), BST_CHECKED);
    Press(window, 1020);
    Press(window, 1011);
    EXPECT_EQ(Checked(window, 1019) + Checked(window, 1012), 0);
    EXPECT_EQ(Checked(window, 1020) + Checked(window, 1011), 2);
}

TEST_F(MainWindow, ExitTransfersTheControlsEscDoesNot) {
    {
        const auto dialog = Open();
        Type(dialog->Handle(), 1000, L"Άρθρα.txt");
        Type(dialog->Handle(), 1013, L"||");
        ::SendMessageW(dialog->Handle(), WM_COMMAND, IDCANCEL, 0);
        EXPECT_EQ(dialog->Result(), IDCANCEL);
        EXPECT_EQ(dialog->m_filePath, "");
        EXPECT_EQ(dialog->m_separator, "");
    }
    const auto dialog = Open();
    Type(dialog->Handle(), 1000, L"Άρθρα.txt");
    Type(dialog->Handle(), 1013, L"||");
    Press(dialog->Handle(), IDOK);
    EXPECT_EQ(dialog->Result(), IDOK);
    EXPECT_EQ(dialog->m_filePath, "\xA2\xF1\xE8\xF1\xE1.txt");  // "Άρθρα.txt"
    EXPECT_EQ(dialog->m_separator, "||");
}

TEST_F(MainWindow, ClosingWritesNoAccountFile) {
    // Out of order, with a duplicate and a blank account: any save would change them.
    const std::string clients = "2;30.02\r\n1;30.01\r\n1;30.00\r\n3; \r\n";
    WriteAccounts(L"client.txt", clients);
    WriteAccounts(L"fpa.txt", "24;54.00\r\n13;x\r\n");
    for (const int close : {IDOK, IDCANCEL}) {
        const auto dialog = Open();
        ::SendMessageW(dialog->Handle(), WM_COMMAND, static_cast<WPARAM>(close), 0);
        EXPECT_TRUE(dialog->Ended());
    }
    EXPECT_EQ(Accounts(L"client.txt"), clients);
    EXPECT_EQ(Accounts(L"fpa.txt"), "24;54.00\r\n13;x\r\n");
    EXPECT_EQ(Accounts(L"supplier.txt"), "") << "start-up leaves the missing files behind, empty";
    EXPECT_EQ(Accounts(L"products.txt"), "");
}

TEST_F(MainWindow, AboutBoxFromTheSystemMenu) {
    const auto dialog = Open();
    const HMENU menu = ::GetSystemMenu(dialog->Handle(), FALSE);
    wchar_t entry[64] = {};
    ::GetMenuStringW(menu, IDM_ABOUTBOX, entry, 64, MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(entry), L"&About Dralmoft...");

    ModalAnswer about(L"About Dralmoft");
    ::SendMessageW(dialog->Handle(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    ASSERT_TRUE(about.Found());
    EXPECT_NE(about.AllText().find(L"Dralmoft Version 1.0"), std::wstring::npos);
    EXPECT_FALSE(dialog->Ended());
}

TEST_F(MainWindow, ServerRefusingTheDatabaseEndsStartUpWithAMessage) {
    ServeCompany("{ \"clients\": [");
    ModalAnswer message(L"Dralmoft");
    const auto dialog = Open();
    ASSERT_TRUE(message.Found());
    const std::wstring text = message.AllText();
    EXPECT_NE(text.find(L"Ο διακομιστής του εμπορικού συστήματος δεν ξεκίνησε."), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"0x80004005"), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"company.json"), std::wstring::npos) << text;
    EXPECT_TRUE(dialog->Ended());
    EXPECT_EQ(dialog->Result(), IDCANCEL);
}

TEST_F(MainWindow, UnreadableAccountFileIsReportedAndStartUpGoesOn) {
    ASSERT_TRUE(::CreateDirectoryW((m_work.Path() + L"\\products.txt").c_str(), nullptr));
    ModalAnswer message(L"Dralmoft");
    const auto dialog = Open();
    ASSERT_TRUE(message.Found());
    EXPECT_NE(message.AllText().find(L"products.txt"), std::wstring::npos) << message.AllText();
    EXPECT_FALSE(dialog->Ended());
    EXPECT_EQ(Accounts(L"fpa.txt"), "") << "the files after it are still loaded";
}

// Held exclusively by another program (a backup, an antivirus).
UniqueFile Hold(const std::wstring& path) {
    return UniqueFile(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

TEST_F(MainWindow, HeldAccountFileIsWaitedForThenSaved) {
    WriteAccounts(L"client.txt", "1;30.00.0001\r\n");
    const auto dialog = Open();
    UniqueFile held = Hold(m_work.Path() + L"\\client.txt");
    ASSERT_TRUE(held.Valid());
    std::thread release([&held] {
        ::Sleep(150);
        held.Reset();
    });
    EditRow(*dialog, 0, L"30.00.0099");
    release.join();
    EXPECT_EQ(Accounts(L"client.txt"), "099999999;30.00.0099\r\n1;30.00.0001\r\n");
}

TEST_F(MainWindow, AccountFileHeldTooLongIsReportedAndKept) {
    WriteAccounts(L"client.txt", "099999999;old\r\n");
    const auto dialog = Open();
    UniqueFile held = Hold(m_work.Path() + L"\\client.txt");
    ASSERT_TRUE(held.Valid());
    ModalAnswer message(L"Dralmoft");
    EditRow(*dialog, 0, L"30.00.0001");
    ASSERT_TRUE(message.Found());
    held.Reset();
    EXPECT_NE(message.AllText().find(L"Ο λογαριασμός δεν αποθηκεύτηκε"), std::wstring::npos) << message.AllText();
    EXPECT_EQ(Accounts(L"client.txt"), "099999999;old\r\n");
    EXPECT_EQ(Rows(*dialog)[0], Text1253(u"099999999|Αλφα Α.Ε.|old")) << "the edit is undone in the list";
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((m_work.Path() + L"\\~*").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "a temporary or lock file was left behind";
    if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
}

// A dialog whose exit button fails with an exception that no handler expects.
class FailingDialog final : public AppDialog {
public:
    FailingDialog() : AppDialog(IDD_ACCOUNT, nullptr) {}

protected:
    bool OnCommand(WORD id, WORD code, HWND control) override {
        if (id == IDOK) throw std::runtime_error("the test's failure");
        return AppDialog::OnCommand(id, code, control);
    }
};

TEST(AppDialog, AnUnexpectedFailureIsToldInGreekAndTheWindowStays) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    FailingDialog dialog;
    ASSERT_NE(dialog.Create(), nullptr);
    ModalAnswer message(L"Dralmoft");
    ::SendMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(message.Found());
    EXPECT_NE(message.AllText().find(L"Απρόβλεπτο σφάλμα: the test's failure"), std::wstring::npos)
        << message.AllText();
    EXPECT_FALSE(dialog.Ended());
    ASSERT_TRUE(::IsWindow(dialog.Handle()));
    ::DestroyWindow(dialog.Handle());
    EXPECT_EQ(dialog.Handle(), nullptr) << "the handle does not outlive its window";
}

}  // namespace
}  // namespace dralmoft::test
