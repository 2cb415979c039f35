// The export end to end against the demo server: through the window and through the
// command line, on the demo company (checked against golden files) and on generated
// companies, and its failures.
#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "app/dialogs/log_question.h"
#include "app/dialogs/problems_question.h"
#include "app/main_window/export_questions.h"
#include "company_file.h"
#include "company_generator.h"
#include "main_window_fixture.h"
#include "program_run.h"
#include "ui/window_text.h"

namespace dralmoft::test {
namespace {

class ExportTest : public MainWindowTest {
protected:
    void ServeDemo() { ServeFolder("demo"); }

    // Sets the period and the file, then presses "Άρθρα".
    static void Export(const LedgerExportDialog& dialog, const std::wstring& file, bool keepCodePage,
                       int fromYear = 2026, int toYear = 2026) {
        SetPicker(dialog.Handle(), IDC_DATE_FROM, static_cast<WORD>(fromYear), 1, 1);
        SetPicker(dialog.Handle(), IDC_DATE_TO, static_cast<WORD>(toYear), 12, 31);
        Type(dialog.Handle(), IDC_FILE_PATH, file);
        ::CheckDlgButton(dialog.Handle(), IDC_CODE_PAGE, keepCodePage ? BST_CHECKED : BST_UNCHECKED);
        Press(dialog.Handle(), IDC_EXPORT);
    }

    // The text of every control of `box`.
    static std::wstring TextsOf(HWND box) {
        std::wstring all;
        ::EnumChildWindows(
            box,
            [](HWND child, LPARAM data) {
                *reinterpret_cast<std::wstring*>(data) += TextOf(child) + L"\n";
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&all));
        return all;
    }
    // Presses a button of a box and waits until the box is gone, so that the next search
    // cannot find it again.
    static void PressAndWait(HWND box, int id) {
        Press(box, id);
        for (int i = 0; i < 200 && ::IsWindowVisible(box); ++i) ::Sleep(25);
    }
    // Answers the box that ends an export, whose texts go to `told`; a problems question
    // before it, if the period has problems, with "save". Every box it waits for comes:
    // a search still running when the window's thread stops answering would never end.
    static void AnswerTheEnd(std::wstring& told) {
        ModalAnswer box(L"Dralmoft", [&told](HWND found) {
            const std::wstring texts = TextsOf(found);
            if (texts.find(L"έχουν προβλήματα") == std::wstring::npos) {
                told = texts;
                Press(found, IDOK);
                return;
            }
            PressAndWait(found, kProblemsSaveButton);
            ModalAnswer end(L"Dralmoft", [&told](HWND last) {
                told = TextsOf(last);
                Press(last, IDOK);
            });
            EXPECT_TRUE(end.Found());
        });
        EXPECT_TRUE(box.Found());
    }
    [[nodiscard]] ProgramResult ExportByCommand(const std::wstring& arguments) const {
        return RunProgram(ExporterProgram(), arguments, m_work.Path());
    }

    [[nodiscard]] bool NoTemporaryFileLeft() const {
        for (const auto& entry : std::filesystem::directory_iterator(m_work.Path()))
            if (entry.path().filename().wstring().rfind(L"~", 0) == 0) return false;
        return true;
    }
};

TEST_F(ExportTest, DemoCompanyThroughTheWindowMatchesTheGoldenFiles) {
    ServeDemo();
    const auto dialog = Open();
    {
        // The demo company has a client and an item without an account.
        SaveDespiteProblems problems;
        Export(*dialog, L"Άρθρα 2026.txt", true);
        EXPECT_TRUE(problems.Found());
    }
    EXPECT_EQ(Accounts(L"Άρθρα 2026.txt"), SourceFile("tests/golden/demo-2026-1253.txt"));
    EXPECT_EQ(dialog->m_progress.GetPos(), 152) << "one step per document of the period";
    EXPECT_EQ(dialog->m_separator, ";") << "the empty separator became ';'";
    EXPECT_EQ(dialog->m_dateFrom, 46023.0) << "1/1/2026 at midnight";

    // The same period again: the export log's question first, then the problems' one.
    {
        ModalAnswer question(L"Dralmoft", [](HWND box) {
            Press(box, kLogAllButton);
            SaveDespiteProblems problems;
            EXPECT_TRUE(problems.Found());
        });
        Export(*dialog, L"oem.txt", false);
        ASSERT_TRUE(question.Found());
        const std::wstring text = question.AllText();
        EXPECT_NE(text.find(L"134 έγγραφα της περιόδου 1/1/2026 - 31/12/2026 έχουν ήδη εξαχθεί"), std::wstring::npos)
            << text;
        EXPECT_NE(text.find(L", εξαγωγή 1"), std::wstring::npos) << text;
    }
    EXPECT_EQ(Accounts(L"oem.txt"), SourceFile("tests/golden/demo-2026-737.txt"));
    EXPECT_TRUE(NoTemporaryFileLeft());
}

// The history of the window's exports: "Μόνο νέα και αλλαγμένα" over an exported period
// writes nothing and records nothing; the batch and its documents are shown; its undo is
// confirmed, marked, and lets the next export run without the question.
TEST_F(ExportTest, TheWindowsHistoryShowsAndUndoesABatch) {
    ServeDemo();
    const auto dialog = Open();
    {
        SaveDespiteProblems problems;
        Export(*dialog, L"first.txt", true);
        EXPECT_TRUE(problems.Found());
    }
    std::wstring told;
    {
        ModalAnswer question(L"Dralmoft", [&told](HWND box) {
            Press(box, kLogOnlyNewButton);
            ModalAnswer nothing(L"Dralmoft");
            EXPECT_TRUE(nothing.Found());
            told = nothing.AllText();
        });
        Export(*dialog, L"again.txt", true);
        ASSERT_TRUE(question.Found());
    }
    EXPECT_NE(told.find(L"Κανένα νέο ή αλλαγμένο έγγραφο στην περίοδο: το αρχείο «again.txt» δεν γράφτηκε"),
              std::wstring::npos)
        << told;
    EXPECT_FALSE(std::filesystem::exists(m_work.Path() + L"\\again.txt"));

    std::vector<std::wstring> batch, documentRow, afterUndo;
    int documents = 0;
    ModalAnswer history(L"Εξαγωγές", [&](HWND window) {
        const HWND list = ::GetDlgItem(window, IDC_HISTORY_LIST);
        for (int column = 0; column < 8; ++column) batch.push_back(ListCell(list, 0, column));
        EXPECT_EQ(ListColumn(list, 0).size(), 1u) << "only-new with nothing new recorded no batch";
        SelectRow(list, 0);
        ModalAnswer shown(L"Έγγραφα εξαγωγής", [&](HWND box) {
            const HWND rows = ::GetDlgItem(box, IDC_DOCUMENTS_LIST);
            documents = static_cast<int>(::SendMessageW(rows, LVM_GETITEMCOUNT, 0, 0));
            for (int column = 0; column < 6; ++column) documentRow.push_back(ListCell(rows, 0, column));
            Press(box, IDCANCEL);
        });
        Press(window, IDC_HISTORY_DOCUMENTS);
        EXPECT_TRUE(shown.Found());
        ModalAnswer confirm(L"Dralmoft", [](HWND box) { Press(box, IDYES); });
        Press(window, IDC_HISTORY_UNDO);
        EXPECT_TRUE(confirm.Found());
        EXPECT_NE(confirm.AllText().find(L"Να αναιρεθεί η εξαγωγή 1 "), std::wstring::npos) << confirm.AllText();
        EXPECT_NE(confirm.AllText().find(L"134 έγγραφα θα θεωρούνται μη εξαγμένα"), std::wstring::npos)
            << confirm.AllText();
        for (int column = 0; column < 8; ++column) afterUndo.push_back(ListCell(list, 0, column));
        Press(window, IDCANCEL);
    });
    Press(dialog->Handle(), IDC_HISTORY);
    ASSERT_TRUE(history.Found());
    ASSERT_EQ(batch.size(), 8u);
    EXPECT_EQ(batch[0], L"1");
    EXPECT_FALSE(batch[2].empty()) << "who exported";
    EXPECT_EQ(batch[3], L"1/1/2026 - 31/12/2026");
    EXPECT_EQ(batch[4], L"first.txt");
    EXPECT_EQ(batch[5], L"134");
    EXPECT_EQ(batch[6], L"572");
    EXPECT_EQ(batch[7], L"ισχύει");
    EXPECT_EQ(documents, 134);
    EXPECT_EQ(documentRow, (std::vector<std::wstring>{L"πώληση", L"ΤΙΜ", L"Α", L"1", L"3/1/2026", L"099312457"}));
    EXPECT_EQ(afterUndo.size(), 8u);
    if (afterUndo.size() == 8u) {
        EXPECT_EQ(afterUndo[7].rfind(L"αναιρέθηκε ", 0), 0u) << afterUndo[7];
    }

    // Undone: the period counts as never exported, so no question before the problems'.
    {
        SaveDespiteProblems problems;
        Export(*dialog, L"after undo.txt", true);
        ASSERT_TRUE(problems.Found());
        EXPECT_NE(problems.AllText().find(L"έχουν προβλήματα"), std::wstring::npos) << problems.AllText();
    }
    EXPECT_EQ(Accounts(L"after undo.txt"), SourceFile("tests/golden/demo-2026-1253.txt"));

    // The history reads the log again when it comes back to the front: another program's
    // undo of the batch just written shows.
    std::wstring before, after;
    ModalAnswer again(L"Εξαγωγές", [&](HWND window) {
        const HWND list = ::GetDlgItem(window, IDC_HISTORY_LIST);
        before = ListCell(list, 0, 7);
        const ProgramResult forgot = RunProgram(ExporterProgram(), L"--forget 2", m_work.Path());
        EXPECT_EQ(forgot.exitCode, 0u) << forgot.err;
        ::SendMessageW(window, WM_ACTIVATE, WA_INACTIVE, 0);
        ::SendMessageW(window, WM_ACTIVATE, WA_ACTIVE, 0);
        after = ListCell(list, 0, 7);
        Press(window, IDCANCEL);
    });
    Press(dialog->Handle(), IDC_HISTORY);
    ASSERT_TRUE(again.Found());
    EXPECT_EQ(before, L"ισχύει");
    EXPECT_EQ(after.rfind(L"αναιρέθηκε ", 0), 0u) << after;
}

// The log stays true through the window. An export whose question stayed open while the
// command line exported the same period writes nothing and names the batch that changed
// the log; asked again, it answers from the log as it is. A batch a killed export left
// pending, whose file was then written over, is asked about before anything is read.
TEST_F(ExportTest, TheWindowNeverAnswersFromAStaleLogAndAsksWhatTheFilesCannotTell) {
    ServeDemo();
    const auto dialog = Open();
    SetPicker(dialog->Handle(), IDC_DATE_FROM, 2026, 1, 1);
    SetPicker(dialog->Handle(), IDC_DATE_TO, 2026, 6, 30);
    Type(dialog->Handle(), IDC_FILE_PATH, L"h1.txt");
    {
        SaveDespiteProblems problems;
        Press(dialog->Handle(), IDC_EXPORT);
        EXPECT_TRUE(problems.Found());
    }
    ASSERT_TRUE(std::filesystem::exists(m_work.Path() + L"\\h1.txt"));

    std::wstring told;
    {
        ModalAnswer question(L"Dralmoft", [&](HWND box) {
            const ProgramResult other =
                ExportByCommand(L"--from 2026-01-01 --to 2026-12-31 --out cli.txt --cp1253 --only-new");
            EXPECT_EQ(other.exitCode, 0u) << other.err;
            PressAndWait(box, kLogOnlyNewButton);
            AnswerTheEnd(told);
        });
        Export(*dialog, L"year.txt", true);
        ASSERT_TRUE(question.Found());
    }
    EXPECT_FALSE(std::filesystem::exists(m_work.Path() + L"\\year.txt"));
    EXPECT_NE(told.find(L"η εξαγωγή 2 ("), std::wstring::npos) << told;
    EXPECT_NE(told.find(L"Τίποτα δεν γράφτηκε: το αρχείο «year.txt» έμεινε όπως ήταν."), std::wstring::npos) << told;
    std::string history = ExportByCommand(L"--history").out;
    EXPECT_EQ(std::count(history.begin(), history.end(), '\n'), 2) << history;

    // Killed after its file replaced the target, and the file then written over by hand.
    ::SetEnvironmentVariableW(L"DRALMOFT_KILL_AT", L"replaced");
    const ProgramResult killed =
        RunProgram(KilledExporterProgram(), L"--from 2026-01-01 --to 2026-12-31 --out k.txt --cp1253", m_work.Path());
    ::SetEnvironmentVariableW(L"DRALMOFT_KILL_AT", nullptr);
    ASSERT_EQ(killed.exitCode, 99u) << killed.err;
    WriteAccounts(L"k.txt", "edited by hand\r\n");
    told.clear();
    {
        ModalAnswer uncertain(L"Dralmoft", [&](HWND box) {
            PressAndWait(box, kNotPostedButton);
            ModalAnswer question(L"Dralmoft", [&](HWND logged) {
                PressAndWait(logged, kLogOnlyNewButton);
                ModalAnswer nothing(L"Dralmoft", [&](HWND last) {
                    told = TextsOf(last);
                    Press(last, IDOK);
                });
                EXPECT_TRUE(nothing.Found());
            });
            EXPECT_TRUE(question.Found());
        });
        Export(*dialog, L"year.txt", true);
        ASSERT_TRUE(uncertain.Found());
        EXPECT_NE(uncertain.AllText().find(L"Η εξαγωγή 3 ("), std::wstring::npos) << uncertain.AllText();
        EXPECT_NE(uncertain.AllText().find(L"k.txt"), std::wstring::npos) << uncertain.AllText();
    }
    EXPECT_NE(told.find(L"Κανένα νέο ή αλλαγμένο έγγραφο"), std::wstring::npos) << told;
    history = ExportByCommand(L"--history").out;
    EXPECT_EQ(std::count(history.begin(), history.end(), '\n'), 2) << "batch 3 went: " << history;
    EXPECT_EQ(history.find("pending"), std::string::npos) << history;
    EXPECT_EQ(Accounts(L"k.txt"), "edited by hand\r\n");
}

// Another company's export in the window: asked whether it is the same company, renamed or
// moved; No (the default) exports nothing, Yes binds the folder to the new name, which the
// history's header then shows.
TEST_F(ExportTest, TheWindowAsksBeforeExportingAnotherCompanysDocumentsIntoTheFolder) {
    ServeDemo();
    ASSERT_EQ(ExportByCommand(L"--from 2026-03-01 --to 2026-03-31 --out m.txt --cp1253").exitCode, 0u);
    std::string company = SourceFile("demo/company.json");
    const std::string name = "\"Ελαιώνας Εμπορική Α.Ε.\"";
    company.replace(company.find(name), name.size(), "\"Ελαιώνας Α.Ε.\"");
    ServeCompany(company);
    const auto dialog = Open();
    {
        ModalAnswer other(L"Dralmoft", [](HWND box) { Press(box, IDNO); });
        Export(*dialog, L"other.txt", true);
        ASSERT_TRUE(other.Found());
        EXPECT_NE(other.AllText().find(L"ανήκει στην εταιρεία «Ελαιώνας Εμπορική Α.Ε.»"), std::wstring::npos)
            << other.AllText();
        EXPECT_NE(other.AllText().find(L"δίνει τώρα την εταιρεία «Ελαιώνας Α.Ε.»"), std::wstring::npos)
            << other.AllText();
    }
    EXPECT_FALSE(std::filesystem::exists(m_work.Path() + L"\\other.txt"));
    {
        ModalAnswer other(L"Dralmoft", [](HWND box) {
            PressAndWait(box, IDYES);
            ModalAnswer logged(L"Dralmoft", [](HWND question) { Press(question, IDCANCEL); });
            EXPECT_TRUE(logged.Found()) << "the period's March was exported";
        });
        Export(*dialog, L"other.txt", true);
        ASSERT_TRUE(other.Found());
    }
    std::wstring header;
    ModalAnswer history(L"Εξαγωγές", [&header](HWND window) {
        header = TextOf(::GetDlgItem(window, IDC_HISTORY_HINT));
        Press(window, IDCANCEL);
    });
    Press(dialog->Handle(), IDC_HISTORY);
    ASSERT_TRUE(history.Found());
    EXPECT_EQ(header.rfind(L"Εταιρεία του φακέλου: «Ελαιώνας Α.Ε.» (πριν: «Ελαιώνας Εμπορική Α.Ε.»). ", 0), 0u)
        << header;
}

TEST_F(ExportTest, DemoCompanyThroughTheCommandLine) {
    ServeDemo();
    const std::wstring program = std::wstring(DRALMOFT_BINARY_DIR) + L"\\dralmoft-export.exe";
    std::wstring command = L"\"" + program + L"\" --from 2026-01-01 --to 2026-12-31 --out cli.txt --cp1253";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 m_work.Path().c_str(), &startup, &process));
    ::WaitForSingleObject(process.hProcess, 60000);
    DWORD exitCode = 99;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(Accounts(L"cli.txt"), SourceFile("tests/golden/demo-2026-1253.txt"));
}

TEST_F(ExportTest, ServerFailureMidRunLeavesTheEarlierFileAndSaysWhere) {
    std::string company = SourceFile("demo/company.json");
    company.insert(company.rfind('}'), R"(, "faults": [{"operation": "IDocument.GetLines", "target": "D010",
        "hresult": "0x80004005", "message": "Σφάλμα ανάγνωσης γραμμών"}])");
    ServeCompany(company);
    WriteAccounts(L"out.txt", "earlier export\r\n");
    const auto dialog = Open();
    ModalAnswer message(L"Dralmoft");
    Export(*dialog, L"out.txt", true);
    ASSERT_TRUE(message.Found());
    const std::wstring text = message.AllText();
    EXPECT_NE(text.find(L"0x80004005"), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"Σφάλμα ανάγνωσης γραμμών"), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"ΤΑΓ-Β3"), std::wstring::npos) << "the document being read";
    EXPECT_EQ(Accounts(L"out.txt"), "earlier export\r\n");
    EXPECT_TRUE(NoTemporaryFileLeft());
}

// A period without documents writes an empty file; over an earlier export only when the
// user says so, asked between the run and the replace.
TEST_F(ExportTest, EmptyPeriodReplacesAnEarlierFileOnlyWhenTheUserAgrees) {
    ServeDemo();
    const auto dialog = Open();
    Export(*dialog, L"new.txt", true, 2030, 2030);
    EXPECT_EQ(Accounts(L"new.txt"), "") << "no earlier file: no question";

    WriteAccounts(L"out.txt", "earlier export\r\n");
    for (const int answer : {IDNO, IDYES}) {
        ModalAnswer question(L"Dralmoft", [answer](HWND box) { Press(box, answer); });
        Export(*dialog, L"out.txt", true, 2030, 2030);
        ASSERT_TRUE(question.Found());
        EXPECT_NE(question.AllText().find(L"16 byte"), std::wstring::npos) << question.AllText();
        EXPECT_EQ(Accounts(L"out.txt"), answer == IDNO ? "earlier export\r\n" : "");
        EXPECT_TRUE(NoTemporaryFileLeft());
    }
}

TEST_F(ExportTest, EmptyPathDoesNothingAndAnUnwritableTargetIsTold) {
    ServeDemo();
    const auto dialog = Open();
    Export(*dialog, L"", true);
    EXPECT_EQ(dialog->m_progress.GetPos(), 0);

    ModalAnswer message(L"Dralmoft");
    Export(*dialog, L"no such folder\\out.txt", true);
    ASSERT_TRUE(message.Found());
    EXPECT_NE(message.AllText().find(L"no such folder\\out.txt"), std::wstring::npos);
    EXPECT_EQ(dialog->m_progress.GetPos(), 0) << "the server was not asked";
}

// Every document of a large period reaches the file: records = documents + 2 per VAT group.
TEST_F(ExportTest, GeneratedCompanyOf40000DocumentsIsExportedWhole) {
    demo::GeneratorOptions options;
    options.documents = 40000;
    options.year = 2026;
    const std::string json = demo::GenerateCompany(options);
    ServeCompany(json);
    const demo::Company company = demo::ParseCompany(json);
    std::size_t expected = 0;
    for (const demo::Document& document : company.documents) {
        if (!document.offersInterface || !document.commercial || !document.trader) continue;
        std::vector<const demo::Line*> lines;
        for (const demo::Line& line : document.lines) lines.push_back(&line);
        if (document.lines.empty())
            for (const std::size_t source : document.sources)
                for (const demo::Line& line : company.documents[source].lines) lines.push_back(&line);
        std::set<double> groups;
        for (const demo::Line* line : lines)
            if (line->offersInterface) groups.insert(line->vatPercent);
        if (!groups.empty()) expected += 1 + 2 * groups.size();
    }

    const auto dialog = Open();
    {
        SaveDespiteProblems problems;  // no account files: every record lacks its account
        Export(*dialog, L"year.txt", true);
        EXPECT_TRUE(problems.Found());
    }
    const std::string text = Accounts(L"year.txt");
    EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')), expected);
    EXPECT_EQ(dialog->m_progress.GetPos(), 40000);
}

TEST_F(ExportTest, LayoutButtonsEnableTheSeparatorAndKeepItsText) {
    const auto dialog = Open();
    const HWND window = dialog->Handle();
    Type(window, IDC_SEPARATOR, L"|");
    Press(window, IDC_SEPARATOR_LAYOUT);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(window, IDC_SEPARATOR)));
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(window, IDC_SEPARATOR));
    Press(window, IDC_FIXED_LENGTH);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(window, IDC_SEPARATOR)));
    EXPECT_EQ(TextOf(::GetDlgItem(window, IDC_SEPARATOR)), L"|");
}

}  // namespace
}  // namespace dralmoft::test
