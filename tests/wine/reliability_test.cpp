// The window with other programs about: a second window on the same folder, a program
// holding a file, a file that cannot be read, a user who browses elsewhere, and periods
// and targets that must be refused.
#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <thread>

#include "main_window_fixture.h"
#include "program_run.h"

namespace dralmoft::test {
namespace {

void SetPeriod(HWND dialog, WORD fromYear, WORD toYear) {
    for (const auto& [id, year] : {std::pair{IDC_DATE_FROM, fromYear}, std::pair{IDC_DATE_TO, toYear}}) {
        SYSTEMTIME time{};
        time.wYear = year;
        time.wMonth = 6;
        time.wDay = 1;
        ::SendMessageW(::GetDlgItem(dialog, id), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    }
}

using Reliability = MainWindowTest;

// Two windows (two processes) on one folder, each setting another supplier's account:
// both accounts end up in the file, and each window shows the other's.
TEST_F(Reliability, TwoWindowProcessesOnOneFolderKeepBothEdits) {
    WriteAccounts(L"supplier.txt", "");
    const auto dialog = Open();
    Press(dialog->Handle(), IDC_SUPPLIERS);
    const ProgramResult other = RunProgram(HelperProgram(), L"edit suppliers 1 50.00.0002", m_work.Path());
    ASSERT_EQ(other.exitCode, 0u);
    EXPECT_EQ(Accounts(L"supplier.txt"), "800000002;50.00.0002\r\n");
    EditRow(*dialog, 0, L"50.00.0001");
    EXPECT_EQ(Accounts(L"supplier.txt"), "800000001;50.00.0001\r\n800000002;50.00.0002\r\n");
    EXPECT_EQ(Rows(*dialog), (std::vector<std::string>{Text1253(u"800000001|Προμηθευτής Ένα|50.00.0001"),
                                                       Text1253(u"800000002|Προμηθευτής Δύο|50.00.0002")}));
}

// Another save holding the lock is waited for; a holder killed mid-save leaves no lock.
TEST_F(Reliability, AnotherSavesLockIsWaitedForAndDiesWithItsHolder) {
    const auto dialog = Open();
    Press(dialog->Handle(), IDC_SUPPLIERS);
    const std::wstring lock = m_work.Path() + L"\\~supplier.txt.lock";
    {
        StartedProgram holder(HelperProgram(), L"lock ~supplier.txt.lock 250", m_work.Path());
        ASSERT_TRUE(WaitUntilHeld(lock));
        EditRow(*dialog, 0, L"50.00.0001");
        EXPECT_EQ(holder.Wait().exitCode, 0u);
    }
    EXPECT_EQ(Accounts(L"supplier.txt"), "800000001;50.00.0001\r\n");
    {
        StartedProgram holder(HelperProgram(), L"lock ~supplier.txt.lock 60000", m_work.Path());
        ASSERT_TRUE(WaitUntilHeld(lock));
        holder.Kill();
    }
    EXPECT_FALSE(std::filesystem::exists(lock)) << "a killed holder's lock is gone with it";
    EditRow(*dialog, 1, L"50.00.0002");
    EXPECT_EQ(Accounts(L"supplier.txt"), "800000001;50.00.0001\r\n800000002;50.00.0002\r\n");
}

// client.txt held by another program at start-up: its accounts are not loaded, and
// nothing the user does then may write over them.
TEST_F(Reliability, AFileThatFailedToLoadIsNeitherWrittenOverNorExportedWithout) {
    ServeCompany(R"({"clients": [{"id": "C1", "taxId": "099999999"}, {"id": "C2", "taxId": "111111111"}],
                     "items": [{"id": "I1", "name": "Μέλι"}],
                     "documents": [{"id": "D1", "name": "ΤΙΜ", "series": "Α", "number": 1, "kind": 1,
                                    "date": "2026-06-01", "trader": "C1",
                                    "lines": [{"item": "I1", "value": 10, "vatPercent": 13}]}]})");
    const std::string accounts = "099999999;30.00.0001\r\n111111111;30.00.0002\r\n";
    WriteAccounts(L"client.txt", accounts);
    auto holder = std::make_unique<StartedProgram>(HelperProgram(), L"hold client.txt 60000", m_work.Path());
    ASSERT_TRUE(WaitUntilHeld(m_work.Path() + L"\\client.txt"));
    std::unique_ptr<LedgerExportDialog> dialog;
    {
        // One message for the file, though start-up reads it twice (the list, then the files).
        ModalAnswer unreadable(L"Dralmoft");
        dialog = Open();
        ASSERT_TRUE(unreadable.Found());
        EXPECT_NE(unreadable.AllText().find(L"client.txt"), std::wstring::npos) << unreadable.AllText();
    }
    // An edit while the file is still held: not saved, and said so.
    ModalAnswer notSaved(L"Dralmoft");
    EditRow(*dialog, 1, L"30.00.0099");
    ASSERT_TRUE(notSaved.Found());
    EXPECT_NE(notSaved.AllText().find(L"Ο λογαριασμός δεν αποθηκεύτηκε"), std::wstring::npos);
    // "Άρθρα" does not write records without the clients' accounts.
    Type(dialog->Handle(), IDC_FILE_PATH, L"out.txt");
    SetPeriod(dialog->Handle(), 2026, 2026);
    {
        ModalAnswer refused(L"Dralmoft");
        Press(dialog->Handle(), IDC_EXPORT);
        ASSERT_TRUE(refused.Found());
        EXPECT_NE(refused.AllText().find(L"Τα άρθρα δεν γράφτηκαν"), std::wstring::npos) << refused.AllText();
    }
    EXPECT_FALSE(std::filesystem::exists(m_work.Path() + L"\\out.txt"));
    holder.reset();  // the other program lets go
    EXPECT_EQ(Accounts(L"client.txt"), accounts) << "2 of 2 accounts kept";
    SaveDespiteProblems problems;  // the item and the rate have no account
    Press(dialog->Handle(), IDC_EXPORT);
    EXPECT_TRUE(problems.Found());
    EXPECT_NE(Accounts(L"out.txt").find(";30.00.0001;0;11.30;"), std::string::npos) << Accounts(L"out.txt");
}

TEST_F(Reliability, AReversedPeriodAndAnAccountFileAsTargetAreRefused) {
    WriteAccounts(L"fpa.txt", "24;54.00\r\n");
    const auto dialog = Open();
    SetPeriod(dialog->Handle(), 2026, 2025);
    Type(dialog->Handle(), IDC_FILE_PATH, L"out.txt");
    {
        ModalAnswer refused(L"Dralmoft");
        Press(dialog->Handle(), IDC_EXPORT);
        ASSERT_TRUE(refused.Found());
        EXPECT_NE(refused.AllText().find(L"1/6/2026"), std::wstring::npos) << refused.AllText();
    }
    EXPECT_FALSE(std::filesystem::exists(m_work.Path() + L"\\out.txt"));
    EXPECT_EQ(dialog->m_progress.GetPos(), 0) << "the server was not asked";

    // The files the folder keeps, by identity or (the log not made yet) by name, and devices.
    SetPeriod(dialog->Handle(), 2026, 2026);
    const std::pair<const wchar_t*, const wchar_t*> refusals[] = {
        {L".\\FPA.txt", L"τα άρθρα δεν γράφονται πάνω του"},
        {L"Dralmoft-Exports.db", L"είναι το αρχείο εξαγωγών"},
        {L"dralmoft-exports.db-journal", L"είναι το αρχείο εξαγωγών"},
        {L"~client.txt.lock", L"βοηθητικό αρχείο του προγράμματος"},
        {L"NUL", L"όνομα συσκευής των Windows"},
    };
    for (const auto& [target, text] : refusals) {
        Type(dialog->Handle(), IDC_FILE_PATH, target);
        ModalAnswer refused(L"Dralmoft");
        Press(dialog->Handle(), IDC_EXPORT);
        ASSERT_TRUE(refused.Found()) << target;
        EXPECT_NE(refused.AllText().find(text), std::wstring::npos) << refused.AllText();
    }
    EXPECT_EQ(Accounts(L"fpa.txt"), "24;54.00\r\n");
    EXPECT_FALSE(std::filesystem::exists(m_work.Path() + L"\\dralmoft-exports.db"));
}

// Choosing the output file in another folder does not move the account files there.
TEST_F(Reliability, BrowsingToAnotherFolderKeepsTheAccountFilesOfTheStartFolder) {
    WriteAccounts(L"fpa.txt", "24;54.00;54.00.0024;54.00.1024\r\n");
    const TempFolder elsewhere;
    const std::wstring chosen = elsewhere.Path() + L"\\άρθρα.txt";
    const auto dialog = Open();
    {
        ModalAnswer browse(L"Αρχείο Λογιστικής", [&chosen](HWND window) {
            for (const int id : {1148, 1152})  // the file name box: explorer-style, or the older one
                if (::GetDlgItem(window, id) != nullptr) Type(window, id, chosen);
            Press(window, IDOK);
        });
        Press(dialog->Handle(), IDC_BROWSE);
        ASSERT_TRUE(browse.Found());
    }
    EXPECT_EQ(TextOf(::GetDlgItem(dialog->Handle(), IDC_FILE_PATH)), chosen);
    wchar_t current[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_EQ(std::wstring(current), m_work.Path());

    Press(dialog->Handle(), IDC_VAT_RATES);
    EditRow(*dialog, 2, L"54.00;54.00.0013;54.00.1013");
    EXPECT_EQ(Accounts(L"fpa.txt"),
              "13.000000;54.00;54.00.0013;54.00.1013\r\n24.000000;54.00;54.00.0024;54.00.1024\r\n");
    // The export goes where it was asked to, and reads the account files of the start folder.
    SetPeriod(dialog->Handle(), 2026, 2026);
    Press(dialog->Handle(), IDC_EXPORT);
    EXPECT_EQ(ReadFileBytes(chosen), "") << "the company has no documents";
    for (const auto& entry : std::filesystem::directory_iterator(elsewhere.Path()))
        EXPECT_EQ(entry.path().filename().wstring(), L"άρθρα.txt") << "nothing else is made there";
}

TEST_F(Reliability, AMissingDatabaseLocationIsToldInTheOneStartUpMessage) {
    m_settings.Store(L"Database", L"");
    ModalAnswer message(L"Dralmoft");
    const auto dialog = Open();
    ASSERT_TRUE(message.Found());
    const std::wstring text = message.AllText();
    EXPECT_NE(text.find(L"Ο διακομιστής του εμπορικού συστήματος δεν ξεκίνησε."), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"Η θέση της βάσης δεδομένων του εμπορικού συστήματος δεν είναι ορισμένη"), std::wstring::npos);
    EXPECT_TRUE(dialog->Ended());
}

// An account file too large to be one: named in a message, the others still loaded.
TEST_F(Reliability, AnAccountFileTooLargeToReadIsNamed) {
    WriteAccounts(L"client.txt", "099999999;30.00.0001\r\n");
    {
        UniqueFile huge(::CreateFileW((m_work.Path() + L"\\products.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, 0, nullptr));
        LARGE_INTEGER size{};
        size.QuadPart = 300LL * 1024 * 1024;
        ASSERT_TRUE(::SetFilePointerEx(huge.Get(), size, nullptr, FILE_BEGIN) && ::SetEndOfFile(huge.Get()));
    }
    ModalAnswer message(L"Dralmoft");
    const auto dialog = Open();
    ASSERT_TRUE(message.Found());
    EXPECT_NE(message.AllText().find(L"products.txt"), std::wstring::npos) << message.AllText();
    EXPECT_FALSE(dialog->Ended());
    EXPECT_EQ(Rows(*dialog)[0], Text1253(u"099999999|Αλφα Α.Ε.|30.00.0001"));
}

// The program started in a folder of any language: its account files are there, and the
// export goes to a folder of any language.
TEST_F(Reliability, FoldersInAnyLanguage) {
    const std::wstring folder = m_work.Path() + L"\\Λογιστική José Отчёт";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    const CurrentDirectory inside(folder);
    const auto dialog = Open();
    Press(dialog->Handle(), IDC_SUPPLIERS);
    EditRow(*dialog, 0, L"50.00.0001");
    EXPECT_EQ(ReadFileBytes(folder + L"\\supplier.txt"), "800000001;50.00.0001\r\n");

    SetPeriod(dialog->Handle(), 2026, 2026);
    Type(dialog->Handle(), IDC_FILE_PATH, folder + L"\\Отчёт.txt");
    Press(dialog->Handle(), IDC_EXPORT);
    EXPECT_EQ(ReadFileBytes(folder + L"\\Отчёт.txt"), "") << "written, empty: the company has no documents";

    ModalAnswer message(L"Dralmoft");
    Type(dialog->Handle(), IDC_FILE_PATH, folder + L"\\δεν υπάρχει\\Отчёт.txt");
    Press(dialog->Handle(), IDC_EXPORT);
    ASSERT_TRUE(message.Found());
    EXPECT_NE(message.AllText().find(L"Λογιστική José Отчёт\\δεν υπάρχει\\Отчёт.txt"), std::wstring::npos)
        << "the path as typed";
}

// A client.txt saved by Notepad in UTF-8: read in its encoding, told of once (start-up
// reads it twice), and written back in Windows-1253 by the next edit.
TEST_F(Reliability, AnAccountFileInUtf8IsReadAndToldOfOnce) {
    WriteAccounts(L"client.txt", "099999999;30.00.\xCE\xA0\r\n");  // "30.00.Π"
    std::unique_ptr<LedgerExportDialog> dialog;
    {
        ModalAnswer told(L"Dralmoft");
        dialog = Open();
        ASSERT_TRUE(told.Found());
        EXPECT_NE(told.AllText().find(L"UTF-8"), std::wstring::npos) << told.AllText();
    }
    EXPECT_EQ(Rows(*dialog)[0], Text1253(u"099999999|Αλφα Α.Ε.|30.00.Π"));
    Press(dialog->Handle(), IDC_CLIENTS);  // loaded again: not told again (no box would be answered)
    EditRow(*dialog, 0, L"30.00.Ρ");
    EXPECT_EQ(Accounts(L"client.txt"), "099999999;30.00.\xD1\r\n");
}

// A damaged export log is never written: the export asks whether to go on without it
// (No writes nothing, Yes writes the file and records nothing), and the history says it
// cannot be read.
TEST_F(Reliability, ADamagedExportLogIsKeptAndTheExportMayGoOnWithoutIt) {
    const std::string damaged(4096, 'x');
    WriteAccounts(L"dralmoft-exports.db", damaged);
    const auto dialog = Open();
    SetPeriod(dialog->Handle(), 2026, 2026);
    Type(dialog->Handle(), IDC_FILE_PATH, L"out.txt");
    for (const int answer : {IDNO, IDYES}) {
        ModalAnswer question(L"Dralmoft", [answer](HWND box) { Press(box, answer); });
        Press(dialog->Handle(), IDC_EXPORT);
        ASSERT_TRUE(question.Found());
        const std::wstring text = question.AllText();
        EXPECT_NE(text.find(L"dralmoft-exports.db» δεν άνοιξε: file is not a database"), std::wstring::npos) << text;
        EXPECT_NE(text.find(L"Να γίνει η εξαγωγή χωρίς το αρχείο εξαγωγών;"), std::wstring::npos) << text;
        EXPECT_EQ(std::filesystem::exists(m_work.Path() + L"\\out.txt"), answer == IDYES);
    }
    EXPECT_EQ(Accounts(L"out.txt"), "") << "the company has no documents";
    {
        ModalAnswer unreadable(L"Dralmoft");
        Press(dialog->Handle(), IDC_HISTORY);
        ASSERT_TRUE(unreadable.Found());
        EXPECT_NE(unreadable.AllText().find(L"δεν διαβάστηκε: file is not a database"), std::wstring::npos)
            << unreadable.AllText();
    }
    EXPECT_EQ(Accounts(L"dralmoft-exports.db"), damaged);
}

}  // namespace
}  // namespace dralmoft::test
