// The period check in the window: the question before a file with problems replaces an
// earlier one, and the report window with its rows, its sort and its account editor.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "app/dialogs/problems_question.h"
#include "check/check_report.h"
#include "main_window_fixture.h"
#include "win/wide_text.h"

namespace dralmoft::test {
namespace {

constexpr const wchar_t* kReportTitle = L"Έλεγχος περιόδου";

// The golden report's problem lines, each "code;document;date;key" (the key unquoted
// where it has no separator of its own).
// The window's Greek name of a code the files name.
std::wstring TitleOf(std::string_view name) {
    for (std::size_t code = 0; code < kCheckCodeCount; ++code)
        if (CheckCodeName(static_cast<CheckCode>(code)) == name)
            return AsWide(CheckCodeTitle(static_cast<CheckCode>(code)));
    return L"?";
}

// The codes of a report's problems, as the window names them.
std::vector<std::wstring> GoldenCodes(const std::string& csv) {
    std::vector<std::wstring> codes;
    for (std::size_t at = csv.find("\r\n") + 2; csv.compare(at, 2, "\r\n") != 0;) {
        const std::size_t end = csv.find(';', at);
        codes.push_back(TitleOf(std::string_view(csv).substr(at, end - at)));
        // The rest of the line; quoted fields may hold line breaks.
        bool quoted = false;
        for (at = end; !(csv.compare(at, 2, "\r\n") == 0 && !quoted); ++at)
            if (csv[at] == '"') quoted = !quoted;
        at += 2;
    }
    return codes;
}

class CheckWindow : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ServeFolder("tests/golden/problems");
    }

    // March 2026, the file and the code page 1253.
    static void Prepare(const LedgerExportDialog& dialog, const std::wstring& file) {
        SetPicker(dialog.Handle(), IDC_DATE_FROM, 2026, 3, 1);
        SetPicker(dialog.Handle(), IDC_DATE_TO, 2026, 3, 31);
        Type(dialog.Handle(), IDC_FILE_PATH, file);
        ::CheckDlgButton(dialog.Handle(), IDC_CODE_PAGE, BST_CHECKED);
    }

    [[nodiscard]] bool NoTemporaryFileLeft() const {
        for (const auto& entry : std::filesystem::directory_iterator(m_work.Path()))
            if (entry.path().filename().wstring().rfind(L"~", 0) == 0) return false;
        return true;
    }
};

// "Άκυρο" keeps the earlier file byte for byte; "Λεπτομέρειες" shows the report (read-only)
// and asks again; "Αποθήκευση" writes the file as the run composed it.
TEST_F(CheckWindow, TheQuestionKeepsOrReplacesTheEarlierFile) {
    WriteAccounts(L"out.txt", "earlier export\r\n");
    const auto dialog = Open();
    Prepare(*dialog, L"out.txt");
    {
        ModalAnswer question(L"Dralmoft", [](HWND box) { Press(box, IDCANCEL); });
        Press(dialog->Handle(), IDC_EXPORT);
        ASSERT_TRUE(question.Found());
        const std::wstring text = question.AllText();
        EXPECT_NE(text.find(L"«out.txt»"), std::wstring::npos) << text;
        EXPECT_NE(text.find(L"2 έγγραφα με πελάτη χωρίς λογαριασμό"), std::wstring::npos) << text;
        EXPECT_NE(text.find(L"1 έγγραφο με το διαχωριστικό μέσα σε πεδίο"), std::wstring::npos) << text;
        EXPECT_EQ(text.find(L"στρογγυλοποίησης"), std::wstring::npos) << "only what blocks is counted";
    }
    EXPECT_EQ(Accounts(L"out.txt"), "earlier export\r\n");
    EXPECT_TRUE(NoTemporaryFileLeft());

    std::wstring hint;
    int rows = 0;
    {
        // Details first: the report over the question; closing it brings the question back.
        ModalAnswer question(L"Dralmoft", [&](HWND box) {
            ModalAnswer report(kReportTitle, [&](HWND window) {
                hint = TextOf(::GetDlgItem(window, IDC_REPORT_HINT));
                rows =
                    static_cast<int>(::SendMessageW(::GetDlgItem(window, IDC_REPORT_PROBLEMS), LVM_GETITEMCOUNT, 0, 0));
                Press(window, IDCANCEL);
            });
            Press(box, kProblemsDetailsButton);
            EXPECT_TRUE(report.Found());
            ModalAnswer again(L"Dralmoft", [](HWND second) { Press(second, kProblemsSaveButton); });
            EXPECT_TRUE(again.Found()) << "the question came back";
        });
        Press(dialog->Handle(), IDC_EXPORT);
        ASSERT_TRUE(question.Found());
    }
    EXPECT_NE(hint.find(L"ήδη συντεθεί"), std::wstring::npos) << "read-only after a run: " << hint;
    EXPECT_EQ(rows, 22);
    EXPECT_EQ(Accounts(L"out.txt"), SourceFile("tests/golden/problems-2026-03-1253.txt"));
    EXPECT_TRUE(NoTemporaryFileLeft());
}

// "Έλεγχος..." writes no file and opens the report: its rows as recomputed, sortable by
// column, and from an account problem the editor, whose account is saved and shown.
TEST_F(CheckWindow, TheReportShowsTheRowsAndMendsAnAccount) {
    const auto dialog = Open();
    Prepare(*dialog, L"never.txt");
    std::vector<std::wstring> codes, documents, sortedDocuments, mended;
    std::wstring refusedSave;
    std::wstring totals;
    ModalAnswer report(kReportTitle, [&](HWND window) {
        const HWND list = ::GetDlgItem(window, IDC_REPORT_PROBLEMS);
        codes = ListColumn(list, 0);
        documents = ListColumn(list, 1);
        totals = ListCell(::GetDlgItem(window, IDC_REPORT_TOTALS), 4, 6);
        // The client without an account: selected, then Enter (the list has the focus).
        SelectRow(list,
                  static_cast<int>(std::find(codes.begin(), codes.end(), TitleOf("client-account")) - codes.begin()));
        ModalAnswer editor(L"Λογαριασμός λογιστικής", [](HWND edit) {
            EXPECT_EQ(TextOf(::GetDlgItem(edit, IDC_ACCOUNT_TAX_ID)), L"222222222");
            Type(edit, IDC_ACCOUNT_EDIT, L"30.00.02");
            Press(edit, IDOK);
        });
        Press(window, IDOK);
        EXPECT_TRUE(editor.Found());
        // The row shows the account once the editor's save has returned to the report.
        for (int wait = 0; wait < 100 && std::count(mended.begin(), mended.end(), L"") == std::ssize(mended); ++wait) {
            ::Sleep(20);
            mended = ListColumn(list, 5);
        }
        NMLISTVIEW click{};
        click.hdr = {list, IDC_REPORT_PROBLEMS, LVN_COLUMNCLICK};
        click.iSubItem = 1;
        ::SendMessageW(window, WM_NOTIFY, IDC_REPORT_PROBLEMS, reinterpret_cast<LPARAM>(&click));
        sortedDocuments = ListColumn(list, 1);
        // «Αποθήκευση...»: never over a file the folder keeps (here the log, not made yet);
        // elsewhere the report as the CSV the exporter writes.
        const auto choose = [&](const wchar_t* name) {
            return std::make_unique<ModalAnswer>(L"Αποθήκευση αναφοράς ελέγχου", [this, name](HWND save) {
                for (const int id : {1148, 1152})  // the file name box: explorer-style, or the older one
                    if (::GetDlgItem(save, id) != nullptr) Type(save, id, m_work.Path() + L"\\" + name);
                Press(save, IDOK);
            });
        };
        {
            const auto log = choose(L"dralmoft-exports.db");
            ModalAnswer refusal(L"Dralmoft");
            Press(window, IDC_REPORT_SAVE);
            EXPECT_TRUE(log->Found());
            refusedSave = refusal.AllText();
        }
        const auto elsewhere = choose(L"έλεγχος.csv");
        Press(window, IDC_REPORT_SAVE);
        EXPECT_TRUE(elsewhere->Found());
        Press(window, IDCANCEL);
    });
    Press(dialog->Handle(), IDC_CHECK);
    ASSERT_TRUE(report.Found());
    EXPECT_FALSE(std::filesystem::exists(m_work.Path() + L"\\never.txt"));

    EXPECT_EQ(codes, GoldenCodes(SourceFile("tests/golden/problems-2026-03-check-1253.csv")));
    EXPECT_EQ(totals, L"276,69") << "the sales' trader records";
    ASSERT_EQ(mended.size(), codes.size());
    for (std::size_t row = 0; row < codes.size(); ++row) {
        const bool client = codes[row] == TitleOf("client-account") && documents[row] == L"ΤΙΜ-Α2";
        EXPECT_EQ(mended[row], client ? L"ορίστηκε: 30.00.02" : L"") << row;
    }
    const std::string clients = Accounts(L"client.txt");
    EXPECT_NE(clients.find("\r\n222222222;30.00.02\r\n"), std::string::npos) << clients;
    EXPECT_EQ(clients.size(), SourceFile("tests/golden/problems/client.txt").size() + 20) << "the others kept";
    EXPECT_TRUE(std::is_sorted(sortedDocuments.begin(), sortedDocuments.end()));
    EXPECT_NE(refusedSave.find(L"είναι το αρχείο εξαγωγών"), std::wstring::npos) << refusedSave;
    EXPECT_FALSE(std::filesystem::exists(m_work.Path() + L"\\dralmoft-exports.db"));
    EXPECT_EQ(Accounts(L"έλεγχος.csv"), SourceFile("tests/golden/problems-2026-03-check-1253.csv"));
    EXPECT_EQ(sortedDocuments.front(), L"#10");
}

}  // namespace
}  // namespace dralmoft::test
