// The command-line exporter as a script runs it: exit codes, what it prints, and the
// files it leaves.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/code_page.h"
#include "company_generator.h"
#include "main_window_fixture.h"
#include "program_run.h"

namespace dralmoft::test {
namespace {

class Exporter : public MainWindowTest {
protected:
    ProgramResult Export(const std::wstring& arguments) const {
        return RunProgram(ExporterProgram(), arguments, m_work.Path());
    }
    // The export while another program holds `file` of the folder.
    ProgramResult ExportWhileHeld(const std::wstring& file, const std::wstring& arguments) const {
        StartedProgram holder(HelperProgram(), L"hold " + file + L" 60000", m_work.Path());
        EXPECT_TRUE(WaitUntilHeld(m_work.Path() + L"\\" + file));
        return Export(arguments);
    }
    void ServeDemo(const std::string& faults = {}) const {
        std::string company = SourceFile("demo/company.json");
        if (!faults.empty()) company.insert(company.rfind('}'), ", \"faults\": [" + faults + "]");
        ServeCompany(company);
    }
    void WriteDemoAccounts() const {
        for (const wchar_t* name : {L"client.txt", L"supplier.txt", L"products.txt", L"fpa.txt"})
            WriteAccounts(name, SourceFile("demo/" + std::string(name, name + wcslen(name))));
    }
    [[nodiscard]] std::vector<std::wstring> TildeFiles() const {
        std::vector<std::wstring> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_work.Path()))
            if (entry.path().filename().wstring().rfind(L"~", 0) == 0) names.push_back(entry.path().filename());
        return names;
    }

    static constexpr const wchar_t* kYear = L"--from 2026-01-01 --to 2026-12-31 ";
    void ServeProblems() const { ServeFolder("tests/golden/problems"); }

    static constexpr const char* kUsage =
        "usage: dralmoft-export --from YYYY-MM-DD --to YYYY-MM-DD (--out FILE | --check)";
    static constexpr const wchar_t* kMarch = L"--from 2026-03-01 --to 2026-03-31 ";
};

TEST_F(Exporter, UsageErrorsAreNamedAndExitTwo) {
    const std::pair<std::wstring, std::string> cases[] = {
        {L"--from 2026-02-30 --to 2026-03-01 --out a.txt", "--from: 2026-02-30 is not a date (YYYY-MM-DD)\r\n"},
        {L"--from 2026-03-01 --to 2026-02-01 --out a.txt", "--from: 2026-03-01 is after --to 2026-02-01\r\n"},
        {std::wstring(kYear) + L"--out a.txt --out b.txt", "--out: given twice\r\n"},
        {std::wstring(kYear) + L"--out a.txt --separator \"a\nb\"",
         "--separator: a separator cannot hold a line break\r\n"},
        {std::wstring(kYear), "--out: missing\r\n"},
    };
    for (const auto& [arguments, error] : cases) {
        const ProgramResult result = Export(arguments);
        EXPECT_EQ(result.exitCode, 2u) << error;
        EXPECT_EQ(result.err.substr(0, error.size() + std::strlen(kUsage)), error + kUsage);
        EXPECT_EQ(result.out, "");
    }
    const ProgramResult help = Export(L"--help");
    EXPECT_EQ(help.exitCode, 0u);
    EXPECT_EQ(help.out.rfind(kUsage, 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(m_work.Path() + L"\\a.txt"));
}

// Names, series and tax ids with characters 1253 lacks reach the file as Windows writes
// them (é -> e, fullwidth -> ASCII, '?' where there is no best fit), and so find the
// accounts that an installation on Greek Windows keeps under those texts.
TEST_F(Exporter, TextsOutside1253AreWrittenAsWindowsWritesThem) {
    ServeCompany(SourceFile("tests/golden/world/company.json"));
    for (const wchar_t* name : {L"client.txt", L"supplier.txt", L"products.txt", L"fpa.txt"})
        WriteAccounts(name, SourceFile("tests/golden/world/" + std::string(name, name + wcslen(name))));
    const std::wstring march = L"--from 2026-03-01 --to 2026-03-31 ";
    ProgramResult result = Export(march + L"--out world.txt --cp1253");
    EXPECT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_EQ(Accounts(L"world.txt"), SourceFile("tests/golden/world-2026-03-1253.txt"));
    result = Export(march + L"--out world-oem.txt");
    EXPECT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_EQ(Accounts(L"world-oem.txt"), SourceFile("tests/golden/world-2026-03-737.txt"));
}

// A target another program holds (a read-only one is refused the same way on Windows; under
// Wine, as root, the read-only attribute does not hold).
TEST_F(Exporter, AnUnwritableTargetIsToldAndKept) {
    ServeDemo();
    WriteDemoAccounts();
    WriteAccounts(L"out.txt", "earlier export\r\n");
    const ProgramResult result = ExportWhileHeld(L"out.txt", std::wstring(kYear) + L"--out out.txt");
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_NE(result.err.find("Το αρχείο «out.txt» δεν μπορεί να γραφτεί."), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(Accounts(L"out.txt"), "earlier export\r\n");
    EXPECT_EQ(TildeFiles(), std::vector<std::wstring>{}) << "no temporary file left";
}

// Folders in any language, to the file calls and in the messages as they are.
TEST_F(Exporter, FoldersInAnyLanguage) {
    ServeDemo();
    WriteDemoAccounts();
    for (const wchar_t* folder : {L"José", L"Отчёт"}) {
        ASSERT_TRUE(::CreateDirectoryW((m_work.Path() + L"\\" + folder).c_str(), nullptr));
        const ProgramResult result = Export(std::wstring(kYear) + L"--out " + folder + L"\\2026.txt --cp1253");
        EXPECT_EQ(result.exitCode, 0u) << result.err;
        EXPECT_EQ(Accounts(std::wstring(folder) + L"\\2026.txt"), SourceFile("tests/golden/demo-2026-1253.txt"));
    }
    const ProgramResult result = Export(std::wstring(kYear) + L"--out \"Отчёт\\δεν υπάρχει\\2026.txt\"");
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_NE(result.err.find("«Отчёт\\δεν υπάρχει\\2026.txt» δεν μπορεί να γραφτεί"), std::string::npos) << result.err;
}

// A wrong working folder must not pass for a company without accounts: each missing file
// is warned of, none is created, and the export still runs.
TEST_F(Exporter, MissingAccountFilesAreWarnedOfAndNeverCreated) {
    ServeDemo();
    const ProgramResult result = Export(std::wstring(kYear) + L"--out cli.txt");
    EXPECT_EQ(result.exitCode, 0u) << result.err;
    for (const char* name : {"products.txt", "fpa.txt", "supplier.txt", "client.txt"}) {
        EXPECT_NE(result.err.find(std::string("Το αρχείο λογαριασμών «") + name + "» δεν υπάρχει"), std::string::npos)
            << result.err;
        EXPECT_FALSE(std::filesystem::exists(m_work.Path() + L"\\" + std::wstring(name, name + strlen(name))));
    }
    const std::string summary =
        "cli.txt: 152 documents read, 134 exported, 18 skipped (18 not commercial documents, 0 without trader, 0 "
        "without lines), 572 records, ";
    EXPECT_EQ(result.out.substr(0, summary.size()), summary);
    EXPECT_NE(result.out.find(" blocking problems, ", summary.size()), std::string::npos) << result.out;
    EXPECT_EQ(result.out.substr(result.out.size() - 4), " s\r\n");
}

// The export log on the command line (what it writes and when is the session's, tested
// natively): a period exported again is warned of, --only-new's "nothing new" is told,
// the check and --strict name an amended document, --history lists the batches for
// scripts and --forget undoes one; the exit codes say each.
TEST_F(Exporter, TheLogRemembersExportsAndOnlyNewWritesWhatChanged) {
    ServeDemo();
    WriteDemoAccounts();
    const auto counts = [](const ProgramResult& result) {
        const std::size_t end = result.out.rfind(" already exported");
        const std::size_t start = result.out.rfind("blocking problems, ", end);
        return end == std::string::npos || start == std::string::npos ? result.out
                                                                      : result.out.substr(start + 19, end - start - 19);
    };
    // Before any export: an empty history and nothing to undo, and no log created.
    ProgramResult result = Export(L"--history");
    EXPECT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(Export(L"--forget 1").exitCode, 2u);
    EXPECT_FALSE(std::filesystem::exists(m_work.Path() + L"\\dralmoft-exports.db"));

    result = Export(std::wstring(kMarch) + L"--out m.txt --cp1253");
    ASSERT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_EQ(counts(result), "11 new, 0 changed, 0") << result.out;
    EXPECT_TRUE(std::filesystem::exists(m_work.Path() + L"\\dralmoft-exports.db"));
    const std::string first = Accounts(L"m.txt");

    result = Export(std::wstring(kMarch) + L"--out m.txt --cp1253");
    ASSERT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_EQ(counts(result), "0 new, 0 changed, 11") << result.out;
    EXPECT_NE(result.err.find("Προσοχή: 11 έγγραφα της περιόδου έχουν ήδη εξαχθεί:"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find(", εξαγωγή 1"), std::string::npos) << result.err;

    result = Export(std::wstring(kMarch) + L"--out m.txt --cp1253 --only-new");
    ASSERT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_EQ(counts(result), "0 new, 0 changed, 11") << result.out;
    EXPECT_NE(result.err.find("Κανένα νέο ή αλλαγμένο έγγραφο στην περίοδο: το αρχείο «m.txt» δεν γράφτηκε"),
              std::string::npos)
        << result.err;
    EXPECT_EQ(Accounts(L"m.txt"), first);
    EXPECT_EQ(TildeFiles(), std::vector<std::wstring>{});

    std::string company = SourceFile("demo/company.json");
    company.replace(company.find("\"value\": 206.1,"), 16, "\"value\": 306.1,");  // ΤΙΜ-Α16 amended
    ServeCompany(company);
    // The ledger holds the old version: the check blocks, and so does --strict.
    result = Export(std::wstring(kMarch) + L"--check --cp1253");
    EXPECT_EQ(result.exitCode, 4u) << result.err;
    EXPECT_NE(result.out.find("\r\nchanged;ΤΙΜ-Α16;2026-03-04;;"), std::string::npos) << result.out;
    std::size_t already = 0;
    for (std::size_t at = 0; (at = result.out.find("\r\nalready-exported;", at)) != std::string::npos; ++at) ++already;
    EXPECT_EQ(already, 10u);
    result = Export(std::wstring(kMarch) + L"--out m.txt --cp1253 --strict");
    EXPECT_EQ(result.exitCode, 4u) << result.err;
    EXPECT_NE(result.err.find("1 έγγραφο άλλαξε αφότου εξήχθη"), std::string::npos) << result.err;
    EXPECT_EQ(Accounts(L"m.txt"), first);
    result = Export(std::wstring(kMarch) + L"--out m.txt --cp1253 --only-new");
    ASSERT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_EQ(counts(result), "0 new, 1 changed, 10") << result.out;

    result = Export(L"--history");
    ASSERT_EQ(result.exitCode, 0u) << result.err;
    std::vector<std::vector<std::string>> lines;
    std::istringstream history(result.out);
    for (std::string line; std::getline(history, line);) {
        std::vector<std::string>& fields = lines.emplace_back();
        std::istringstream parts(line.substr(0, line.size() - 1));  // without the CR
        for (std::string field; std::getline(parts, field, '\t');) fields.push_back(field);
    }
    ASSERT_EQ(lines.size(), 3u) << result.out;  // the run that wrote nothing is not a batch
    EXPECT_EQ(lines[0][0], "3");
    EXPECT_EQ(lines[0].size(), 10u);
    EXPECT_EQ(lines[0][9], "Ελαιώνας Εμπορική Α.Ε.") << "the batch's company";
    EXPECT_EQ(lines[0][1].size(), 20u) << lines[0][1];  // YYYY-MM-DDTHH:MM:SSZ
    EXPECT_EQ(lines[0][3] + " " + lines[0][4] + " " + lines[0][5] + " " + lines[0][7] + " " + lines[0][8],
              "2026-03-01 2026-03-31 1 ok m.txt");
    EXPECT_EQ(lines[2][5], "11");

    result = Export(L"--forget 3");
    ASSERT_EQ(result.exitCode, 0u) << result.err;
    // Batch 3 held only the amended invoice, which batch 1 holds in its first version.
    EXPECT_EQ(result.out,
              "Η εξαγωγή 3 αναιρέθηκε. 1 έγγραφο το έχει παλαιότερη εξαγωγή που ισχύει: θα μετρά ξανά με τη "
              "μορφή εκείνης.\r\n");
    EXPECT_EQ(Export(L"--forget 3").exitCode, 2u);
    EXPECT_EQ(Export(L"--forget 9").exitCode, 2u);
    result = Export(L"--history");
    EXPECT_NE(result.out.find("\tundone\tm.txt"), std::string::npos) << result.out;
}

// Two exporters of one period in one folder at once: each either ends with its file and
// its batch, or, when the other recorded the period after it read the log, with neither
// and a message to run again (never both files from one reading of the log). A log
// another program holds is told with SQLite's text, and nothing is exported until the log
// is free or --no-log is asked for.
TEST_F(Exporter, TwoExportersShareTheLogAndAHeldLogStopsTheExport) {
    ServeDemo();
    WriteDemoAccounts();
    int written = 0;
    {
        StartedProgram first(ExporterProgram(), std::wstring(kYear) + L"--out a.txt --cp1253", m_work.Path());
        StartedProgram second(ExporterProgram(), std::wstring(kYear) + L"--out b.txt --cp1253", m_work.Path());
        const ProgramResult results[] = {first.Wait(), second.Wait()};
        const wchar_t* const names[] = {L"a.txt", L"b.txt"};
        for (int i = 0; i < 2; ++i) {
            const bool exists = std::filesystem::exists(m_work.Path() + L"\\" + names[i]);
            EXPECT_EQ(exists, results[i].exitCode == 0) << results[i].err;
            if (exists) ++written;
            if (exists) continue;
            EXPECT_EQ(results[i].exitCode, 1u) << results[i].err;
            EXPECT_NE(results[i].err.find("Τίποτα δεν γράφτηκε"), std::string::npos) << results[i].err;
        }
    }
    ASSERT_GE(written, 1);
    const ProgramResult history = Export(L"--history");
    EXPECT_EQ(std::count(history.out.begin(), history.out.end(), '\n'), written) << history.out;
    EXPECT_EQ(history.out.find("\tok\ta.txt\t") != std::string::npos,
              std::filesystem::exists(m_work.Path() + L"\\a.txt"))
        << history.out;

    WriteAccounts(L"c.txt", "earlier export\r\n");
    const auto start = std::chrono::steady_clock::now();
    const ProgramResult held = ExportWhileHeld(L"dralmoft-exports.db", std::wstring(kYear) + L"--out c.txt");
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(held.exitCode, 1u);
    EXPECT_GE(waited, std::chrono::seconds(5)) << "the holder is waited for as long as the log waits for a lock";
    EXPECT_NE(held.err.find("Το αρχείο εξαγωγών «dralmoft-exports.db» δεν άνοιξε: "), std::string::npos) << held.err;
    EXPECT_EQ(Accounts(L"c.txt"), "earlier export\r\n");
    const ProgramResult without = Export(std::wstring(kYear) + L"--out c.txt --no-log");
    EXPECT_EQ(without.exitCode, 0u) << without.err;
    EXPECT_EQ(Export(L"--history").out, history.out) << "--no-log records nothing";

    // An empty file of the log's name (a failed copy from a backup) is not a new log.
    WriteAccounts(L"dralmoft-exports.db", "");
    WriteAccounts(L"c.txt", "earlier export\r\n");
    const ProgramResult empty = Export(std::wstring(kYear) + L"--out c.txt --only-new");
    EXPECT_EQ(empty.exitCode, 1u) << empty.err;
    EXPECT_NE(empty.err.find("Το αρχείο εξαγωγών «dralmoft-exports.db» δεν άνοιξε: file is empty"), std::string::npos)
        << empty.err;
    EXPECT_EQ(Accounts(L"c.txt"), "earlier export\r\n");
    EXPECT_EQ(Accounts(L"dralmoft-exports.db"), "");
}

TEST_F(Exporter, AnUnreadableAccountFileStopsTheExport) {
    ServeDemo();
    WriteDemoAccounts();
    WriteAccounts(L"cli.txt", "earlier export\r\n");
    StartedProgram holder(HelperProgram(), L"hold products.txt 60000", m_work.Path());
    ASSERT_TRUE(WaitUntilHeld(m_work.Path() + L"\\products.txt"));
    const ProgramResult result = Export(std::wstring(kYear) + L"--out cli.txt");
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_NE(result.err.find("Το αρχείο λογαριασμών «products.txt» δεν διαβάστηκε."), std::string::npos) << result.err;
    EXPECT_EQ(Accounts(L"cli.txt"), "earlier export\r\n");
}

// Neither the export nor its report is written over a file the folder keeps (an account
// file, the export log and its journal, a lock) or to a device: a usage error before
// anything runs.
TEST_F(Exporter, AFileTheFolderKeepsIsNeverTheTarget) {
    ServeDemo();
    WriteDemoAccounts();
    ASSERT_EQ(Export(std::wstring(kYear) + L"--out first.txt").exitCode, 0u) << "the folder's log is made";
    const std::string log = Accounts(L"dralmoft-exports.db");
    const std::pair<std::wstring, const char*> refusals[] = {
        {L"--out client.txt", "τα άρθρα δεν γράφονται πάνω του"},
        {L"--out .\\FPA.TXT", "τα άρθρα δεν γράφονται πάνω του"},
        {L"--out missing\\..\\products.txt", "τα άρθρα δεν γράφονται πάνω του"},
        {L"--out out.txt --report supplier.txt", "η αναφορά ελέγχου δεν γράφεται πάνω του"},
        {L"--out dralmoft-exports.db", "είναι το αρχείο εξαγωγών «dralmoft-exports.db»"},
        {L"--out DRALMOFT-EXPORTS.DB --no-log", "είναι το αρχείο εξαγωγών"},
        {L"--check --report dralmoft-exports.db --no-log", "είναι το αρχείο εξαγωγών"},
        {L"--out dralmoft-exports.db-journal", "είναι το αρχείο εξαγωγών"},
        {L"--out ~fpa.txt.lock", "βοηθητικό αρχείο του προγράμματος"},
        {L"--out NUL", "όνομα συσκευής των Windows"},
        {L"--out out.txt --report con.csv", "όνομα συσκευής των Windows"},
    };
    for (const auto& [arguments, text] : refusals) {
        const ProgramResult result = Export(std::wstring(kYear) + arguments);
        EXPECT_EQ(result.exitCode, 2u) << result.err;
        EXPECT_NE(result.err.find(text), std::string::npos) << result.err;
    }
    EXPECT_EQ(Accounts(L"client.txt"), SourceFile("demo/client.txt"));
    EXPECT_EQ(Accounts(L"fpa.txt"), SourceFile("demo/fpa.txt"));
    EXPECT_EQ(Accounts(L"dralmoft-exports.db"), log);
    EXPECT_FALSE(std::filesystem::exists(m_work.Path() + L"\\out.txt"));
}

// Server failures: exit 1, the status and the server's text, the first cause, and what
// became of an earlier file said truly.
TEST_F(Exporter, ServerFailuresKeepTheirFirstCause) {
    WriteDemoAccounts();
    ServeDemo(R"({"operation": "DocumentLine.Create", "hresult": "0x8007000E", "message": "Δεν υπάρχει μνήμη"})");
    ProgramResult result = Export(std::wstring(kYear) + L"--out new.txt");
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_NE(result.err.find("0x8007000E"), std::string::npos) << "not the E_POINTER that followed: " << result.err;
    EXPECT_NE(result.err.find("Δεν υπάρχει μνήμη"), std::string::npos);
    EXPECT_NE(result.err.find("Κανένα αρχείο δεν γράφτηκε."), std::string::npos);
    EXPECT_EQ(result.err.find("έμεινε όπως ήταν"), std::string::npos) << "there was no earlier file";
    EXPECT_FALSE(std::filesystem::exists(m_work.Path() + L"\\new.txt"));

    ServeDemo(R"({"operation": "IDataService.GetDocuments", "hresult": "0x80004005", "message": "κλειδωμένη"})");
    WriteAccounts(L"out.txt", "earlier export\r\n");
    result = Export(std::wstring(kYear) + L"--out out.txt");
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_NE(result.err.find("ενώ διάβαζε τα παραστατικά της περιόδου"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("το παλαιότερο αρχείο με το ίδιο όνομα έμεινε όπως ήταν"), std::string::npos);
    EXPECT_EQ(Accounts(L"out.txt"), "earlier export\r\n");
    EXPECT_TRUE(TildeFiles().empty());
    EXPECT_FALSE(std::filesystem::exists(m_work.Path() + L"\\dralmoft-exports.db")) << "a failed export makes no log";
}

TEST_F(Exporter, AMissingDatabaseLocationIsTold) {
    m_settings.Store(L"Database", L"");
    const ProgramResult result = Export(std::wstring(kYear) + L"--out out.txt");
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_NE(result.err.find("Η θέση της βάσης δεδομένων του εμπορικού συστήματος δεν είναι ορισμένη"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("No database folder is named"), std::string::npos) << "the server refused it too";
}

// A killed export leaves its temporary file; the target stays, and the next export
// removes the leftover once it is old enough to be nobody's.
// An export killed at each step of its commit, as a power cut would: the next export finds
// the folder as the step left it and settles the batch from the files, so that no document
// is written twice and none is lost. Where the files cannot tell, it stops and says how to
// settle the batch.
TEST_F(Exporter, AnExportKilledAtEachCommitStepIsSettledByTheNext) {
    ServeDemo();
    WriteDemoAccounts();
    const std::wstring march = std::wstring(kMarch) + L"--out m.txt --cp1253";
    const auto killedAt = [&](const wchar_t* step) {
        ::SetEnvironmentVariableW(L"DRALMOFT_KILL_AT", step);
        const ProgramResult killed = RunProgram(KilledExporterProgram(), march, m_work.Path());
        ::SetEnvironmentVariableW(L"DRALMOFT_KILL_AT", nullptr);
        EXPECT_EQ(killed.exitCode, 99u) << killed.err;
        const std::string history = Export(L"--history").out;
        EXPECT_NE(history.find("\tpending\tm.txt\t"), std::string::npos) << history;
        return history;
    };
    struct Case {
        const wchar_t* step;
        bool replaced;
    };
    for (const Case c : {Case{L"pending", false}, Case{L"renamed", false}, Case{L"replaced", true}}) {
        SCOPED_TRACE(std::string(c.step, c.step + wcslen(c.step)));
        std::filesystem::remove(m_work.Path() + L"\\dralmoft-exports.db");
        WriteAccounts(L"m.txt", "earlier export\r\n");
        (void)killedAt(c.step);
        EXPECT_EQ(Accounts(L"m.txt") == "earlier export\r\n", !c.replaced);
        const ProgramResult next = Export(march + L" --only-new");
        EXPECT_EQ(next.exitCode, 0u) << next.err;
        EXPECT_NE(next.out.find(c.replaced ? "0 new, 0 changed, 11 already" : "11 new, 0 changed, 0 already"),
                  std::string::npos)
            << next.out;
        const std::string history = Export(L"--history").out;
        EXPECT_EQ(std::count(history.begin(), history.end(), '\n'), 1) << history;
        EXPECT_EQ(history.rfind(c.replaced ? "1\t" : "2\t", 0), 0u) << "a dropped batch's number is not given again";
        EXPECT_EQ(history.find("pending"), std::string::npos) << history;
        EXPECT_EQ(TildeFiles(), std::vector<std::wstring>{});
    }

    // Killed after the replace, and the file then written over: whether it reached the
    // ledger is for the user to say.
    std::filesystem::remove(m_work.Path() + L"\\dralmoft-exports.db");
    (void)killedAt(L"replaced");
    WriteAccounts(L"m.txt", "another file\r\n");
    ProgramResult stopped = Export(march + L" --only-new");
    EXPECT_EQ(stopped.exitCode, 1u) << stopped.err;
    EXPECT_NE(stopped.err.find("Η εξαγωγή 1 ("), std::string::npos) << stopped.err;
    EXPECT_NE(stopped.err.find("dralmoft-export --settle 1 posted"), std::string::npos) << stopped.err;
    EXPECT_EQ(Accounts(L"m.txt"), "another file\r\n");
    EXPECT_EQ(Export(L"--forget 1").exitCode, 2u) << "a pending batch is settled, not undone";
    EXPECT_EQ(Export(L"--settle 2 posted").exitCode, 2u);
    const ProgramResult settled = Export(L"--settle 1 posted");
    EXPECT_EQ(settled.exitCode, 0u) << settled.err;
    EXPECT_EQ(settled.out, "Η εξαγωγή 1 ισχύει: τα έγγραφά της μετρούν ως εξαγμένα.\r\n");
    const ProgramResult after = Export(march + L" --only-new");
    EXPECT_EQ(after.exitCode, 0u) << after.err;
    EXPECT_NE(after.out.find("0 new, 0 changed, 11 already"), std::string::npos) << after.out;
    EXPECT_EQ(Accounts(L"m.txt"), "another file\r\n");
}

// A folder belongs to the company of its first batch. Another company's export stops
// before the run with exit 2 and both names; the same company renamed is told with
// --same-company, which rebinds the folder; a check only warns.
TEST_F(Exporter, AFolderBelongsToTheCompanyOfItsFirstBatch) {
    ServeDemo();
    WriteDemoAccounts();
    const std::wstring march = std::wstring(kMarch) + L"--out m.txt --cp1253";
    ASSERT_EQ(Export(march).exitCode, 0u);
    std::string company = SourceFile("demo/company.json");
    const std::string name = "\"Ελαιώνας Εμπορική Α.Ε.\"";
    company.replace(company.find(name), name.size(), "\"Ελαιώνας Εμπορική Μονοπρόσωπη Α.Ε.\"");
    ServeCompany(company);
    const std::string before = Accounts(L"m.txt");

    ProgramResult result = Export(march);
    EXPECT_EQ(result.exitCode, 2u) << result.err;
    EXPECT_NE(result.err.find("Αυτός ο φάκελος ανήκει στην εταιρεία «Ελαιώνας Εμπορική Α.Ε.»"), std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("δίνει όμως την εταιρεία «Ελαιώνας Εμπορική Μονοπρόσωπη Α.Ε.»"), std::string::npos)
        << result.err;
    EXPECT_EQ(result.err.find("usage:"), std::string::npos) << "not a usage error's text";
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(Accounts(L"m.txt"), before);

    result = Export(std::wstring(kMarch) + L"--check --cp1253");
    EXPECT_NE(result.err.find("Προσοχή: αυτός ο φάκελος ανήκει στην εταιρεία «Ελαιώνας Εμπορική Α.Ε.»"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.out.find("documents read"), std::string::npos) << "a check goes on: " << result.out;

    result = Export(march + L" --same-company");
    EXPECT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_NE(result.err.find("Ο φάκελος ανήκει από τώρα στην εταιρεία «Ελαιώνας Εμπορική Μονοπρόσωπη Α.Ε.» (πριν: "
                              "«Ελαιώνας Εμπορική Α.Ε.»)."),
              std::string::npos)
        << result.err;
    EXPECT_EQ(Export(march).exitCode, 0u) << "bound to the new name";
    const std::string history = Export(L"--history").out;
    EXPECT_NE(history.find("\tok\tm.txt\tΕλαιώνας Εμπορική Μονοπρόσωπη Α.Ε.\r\n"), std::string::npos) << history;
    EXPECT_NE(history.find("\tok\tm.txt\tΕλαιώνας Εμπορική Α.Ε.\r\n"), std::string::npos) << history;
}

// The floor benchmark is the export's calls and nothing else: the demo server counts the
// same calls of each operation for both, with the log (which asks for the company's
// name) and without it, on a company with every kind of element.
TEST_F(Exporter, TheFloorBenchmarkMakesExactlyTheExportsServerCalls) {
    demo::GeneratorOptions options;
    options.documents = 600;
    options.year = 2026;
    ServeCompany(demo::GenerateCompany(options));
    WriteDemoAccounts();
    const auto calls = [&](const std::wstring& program, const std::wstring& arguments) {
        const std::wstring file = m_work.Path() + L"\\calls.txt";
        ::SetEnvironmentVariableW(L"DRALMOFT_DEMO_CALLS", file.c_str());
        const ProgramResult result = RunProgram(program, arguments, m_work.Path());
        ::SetEnvironmentVariableW(L"DRALMOFT_DEMO_CALLS", nullptr);
        EXPECT_EQ(result.exitCode, 0u) << result.err;
        std::string counts = Accounts(L"calls.txt");
        ::DeleteFileW(file.c_str());
        return counts;
    };
    const std::wstring floor = std::wstring(DRALMOFT_BINARY_DIR) + L"\\bench\\wine\\dralmoft-bench-floor.exe";
    for (const std::wstring noLog : {L"", L" --no-log"}) {
        const std::string exported = calls(ExporterProgram(), kYear + std::wstring(L"--out out.txt") + noLog);
        // 2026-01-01 and 2026-12-31 as OLE dates.
        EXPECT_EQ(calls(floor, L"46023 46387" + noLog), exported);
        EXPECT_NE(exported.find("IDocumentLine.SetNetValue "), std::string::npos) << exported;
        EXPECT_NE(exported.find("ILinkedDocument.GetSourceDocuments "), std::string::npos) << exported;
        // The company's name is asked for through the data service a second time.
        EXPECT_EQ(exported.find("IBusinessTable.GetAll 2\r\n") != std::string::npos, noLog.empty()) << exported;
    }
}

TEST_F(Exporter, AKilledExportLeavesTheTargetAndItsLeftoverIsRemovedLater) {
    demo::GeneratorOptions options;
    options.documents = 40000;
    options.year = 2026;
    ServeCompany(demo::GenerateCompany(options));
    WriteAccounts(L"out.txt", "earlier export\r\n");
    {
        StartedProgram exporter(ExporterProgram(), std::wstring(kYear) + L"--out out.txt", m_work.Path());
        for (int i = 0; i < 2000 && TildeFiles().empty(); ++i) ::Sleep(5);
        exporter.Kill();
    }
    EXPECT_EQ(Accounts(L"out.txt"), "earlier export\r\n");
    const std::vector<std::wstring> leftovers = TildeFiles();
    ASSERT_EQ(leftovers.size(), 1u);
    EXPECT_EQ(leftovers[0].rfind(L"~dralmoft-", 0), 0u);

    // Eleven minutes old: a killed program's, not a running one's.
    const std::wstring leftover = m_work.Path() + L"\\" + leftovers[0];
    {
        UniqueFile file(::CreateFileW(leftover.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      0, nullptr));
        FILETIME now{};
        ::GetSystemTimeAsFileTime(&now);
        ULARGE_INTEGER time{{now.dwLowDateTime, now.dwHighDateTime}};
        time.QuadPart -= 11ull * 60 * 10000000;
        const FILETIME old{time.LowPart, time.HighPart};
        ASSERT_TRUE(::SetFileTime(file.Get(), nullptr, nullptr, &old));
    }
    const ProgramResult result = Export(std::wstring(kYear) + L"--out out.txt");
    EXPECT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_NE(Accounts(L"out.txt"), "earlier export\r\n");
    EXPECT_TRUE(TildeFiles().empty());
}

// The temporary file's name must not grow with the target's. (Latin letters: Linux, under
// Wine, counts a name's limit in UTF-8 bytes, which Windows does not.)
TEST_F(Exporter, ATargetNameOf250CharactersIsWritten) {
    ServeDemo();
    WriteDemoAccounts();
    const std::wstring name = std::wstring(246, L'a') + L".txt";
    const ProgramResult result = Export(std::wstring(kYear) + L"--out " + name + L" --cp1253");
    EXPECT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_EQ(Accounts(name), SourceFile("tests/golden/demo-2026-1253.txt"));
}

// A company with every problem the check knows (its report recomputed independently by
// tests/golden/recompute.py --check): each is reported with its code and key, and the
// exit code says so.
TEST_F(Exporter, TheCheckReportsEveryProblemAndExitsFour) {
    ServeProblems();
    for (const auto& [options, golden] : {std::pair{L"--cp1253", "1253"}, std::pair{L"", "737"}}) {
        const ProgramResult result = Export(std::wstring(kMarch) + L"--check --report check.csv " + options);
        EXPECT_EQ(result.exitCode, 4u) << result.err;
        const std::string report = SourceFile("tests/golden/problems-2026-03-check-" + std::string(golden) + ".csv");
        EXPECT_EQ(Accounts(L"check.csv"), report);
        // Standard output: the problems table as in the file, without its byte-order mark,
        // then the summary line.
        const std::string problems = report.substr(3, report.find("\r\n\r\n") + 2 - 3);
        EXPECT_EQ(result.out.substr(0, problems.size()), problems);
        const std::string summary =
            "2026-03-01..2026-03-31: 15 documents read, 12 exported, 3 skipped (1 not "
            "commercial documents, 1 without trader, 1 without lines), 42 records, " +
            std::string(golden == std::string("737") ? "19" : "18") + " blocking problems, ";
        EXPECT_EQ(result.out.substr(problems.size(), summary.size()), summary);
    }
    EXPECT_FALSE(std::filesystem::exists(m_work.Path() + L"\\2026.txt"));

    // A report cut short does not pass for a whole one: where standard output takes
    // nothing, the check and the history fail and say why. An export's file stands
    // whatever became of its summary line.
    const auto cut = [&](const std::wstring& arguments) {
        return RunProgram(ExporterProgram(), arguments, m_work.Path(), Output::ClosedPipe);
    };
    ProgramResult result = cut(std::wstring(kMarch) + L"--check");
    EXPECT_EQ(result.exitCode, 1u) << result.err;
    EXPECT_NE(result.err.find("Η έξοδος του προγράμματος δεν γράφτηκε ολόκληρη"), std::string::npos) << result.err;
    result = cut(std::wstring(kMarch) + L"--out cut.txt");
    EXPECT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_EQ(Accounts(L"cut.txt"), SourceFile("tests/golden/problems-2026-03-737.txt"));
    result = cut(L"--history");
    EXPECT_EQ(result.exitCode, 1u) << result.err;
    EXPECT_NE(result.err.find("Η έξοδος του προγράμματος δεν γράφτηκε ολόκληρη"), std::string::npos) << result.err;
}

// --strict keeps an earlier file from a file with problems; without it the file is written
// (as recomputed) and the problems are told on standard error.
TEST_F(Exporter, StrictLeavesTheEarlierFileAndPlainWritesWithAWarning) {
    ServeProblems();
    WriteAccounts(L"out.txt", "earlier export\r\n");
    ProgramResult result = Export(std::wstring(kMarch) + L"--out out.txt --strict --report out.csv");
    EXPECT_EQ(result.exitCode, 4u) << result.err;
    EXPECT_EQ(Accounts(L"out.txt"), "earlier export\r\n");
    EXPECT_TRUE(TildeFiles().empty()) << "no temporary file left";
    EXPECT_NE(result.err.find("Το αρχείο «out.txt» δεν γράφτηκε (--strict)"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("2 έγγραφα με πελάτη χωρίς λογαριασμό"), std::string::npos) << result.err;
    EXPECT_EQ(Accounts(L"out.csv"), SourceFile("tests/golden/problems-2026-03-check-737.csv"))
        << "the report is written all the same";

    result = Export(std::wstring(kMarch) + L"--out out.txt");
    EXPECT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_EQ(Accounts(L"out.txt"), SourceFile("tests/golden/problems-2026-03-737.txt"));
    EXPECT_NE(result.err.find("Το αρχείο «out.txt» γράφτηκε, αλλά ο έλεγχος βρήκε προβλήματα"), std::string::npos)
        << result.err;

    result = Export(std::wstring(kMarch) + L"--out out.txt --report .\\OUT.TXT");
    EXPECT_EQ(result.exitCode, 2u) << result.err;
    EXPECT_EQ(Accounts(L"out.txt"), SourceFile("tests/golden/problems-2026-03-737.txt"));

    // The report goes with the file: one that cannot be written leaves the file and the log
    // as they were, so that a script that runs again on exit 1 exports the period once.
    const std::string history = Export(L"--history").out;
    WriteAccounts(L"out.txt", "earlier export\r\n");
    result = Export(std::wstring(kMarch) + L"--out out.txt --report Z:\\no\\such\\folder\\r.csv");
    EXPECT_EQ(result.exitCode, 1u) << result.err;
    EXPECT_NE(result.err.find("Τίποτα δεν γράφτηκε: το αρχείο «out.txt» έμεινε όπως ήταν"), std::string::npos)
        << result.err;
    EXPECT_EQ(Accounts(L"out.txt"), "earlier export\r\n");
    EXPECT_EQ(Export(L"--history").out, history) << "nothing recorded";
    EXPECT_TRUE(TildeFiles().empty());
    result = Export(std::wstring(kMarch) + L"--out out.txt --report out.csv --no-log");
    EXPECT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_EQ(Accounts(L"out.txt"), SourceFile("tests/golden/problems-2026-03-737.txt"));
    EXPECT_EQ(Accounts(L"out.csv"), SourceFile("tests/golden/problems-2026-03-check-737.csv"));
}

}  // namespace
}  // namespace dralmoft::test

namespace dralmoft::test {
namespace {

// tests/data/proposals/company: a month with two new clients, a new item and a new VAT
// rate, and the folder's accounts they are proposed from.
class ExporterProposals : public Exporter {
protected:
    void SetUp() override {
        Exporter::SetUp();
        ServeFolder("tests/data/proposals/company");
    }
    static std::string Cp1253(std::u16string_view text) { return Utf16ToCp1253(text); }
};

// From the check to proposals to stored accounts to a clean check, without typing an account.
TEST_F(ExporterProposals, SuggestThenAcceptLeavesACleanCheck) {
    ProgramResult result = Export(std::wstring(kMarch) + L"--suggest προτάσεις.csv");
    ASSERT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_EQ(result.out.rfind("προτάσεις.csv: 3 documents read, 3 exported", 0), 0u) << result.out;
    const std::string series = ";επόμενος της σειράς 30.00.00.#### (μέγιστος 30.00.00.0005);100\r\n";
    EXPECT_EQ(Accounts(L"προτάσεις.csv"),
              "\xEF\xBB\xBFΚωδικός;Κλειδί;Όνομα;Έγγραφα;Ποσό;Πρόταση;Αιτία;Βεβαιότητα\r\n"
              "item-account;Βίδα ξύλου 3x30;Βίδα ξύλου 3x30;1;100,00;70.04;"
              "όπως 2 από 2 παρόμοια είδη: «Βίδα ξύλου 4x40», «Βίδα ξύλου 5x50»;100\r\n"
              "client-account;200000001;;1;124,00;30.00.00.0006" +
                  series +
                  "vat-account;17;;1;1,70;\"54.00;54.00.0017;54.00.1017\";το μοτίβο των άλλων συντελεστών;100\r\n"
                  "client-account;200000002;;1;11,70;30.00.00.0007" +
                  series);

    result = Export(std::wstring(kMarch) + L"--accept προτάσεις.csv");
    EXPECT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_EQ(result.out, "προτάσεις.csv: 4 stored, 0 already had an account, 0 not missing, 0 refused\r\n");
    EXPECT_EQ(Accounts(L"client.txt").substr(125), "200000001;30.00.00.0006\r\n200000002;30.00.00.0007\r\n");
    EXPECT_EQ(Accounts(L"products.txt"), Cp1253(u"Βίδα ξύλου 3x30;70.04\r\nΒίδα ξύλου 4x40;20.04;70.04\r\n"
                                                u"Βίδα ξύλου 5x50;20.04;70.04\r\nΚρασί λευκό 750ml;20.03;70.03\r\n"));
    EXPECT_EQ(Accounts(L"fpa.txt").substr(77),
              "17.000000;54.00;54.00.0017;54.00.1017\r\n24.000000;54.00;54.00.0024;54.00.1024\r\n");
    result = Export(std::wstring(kMarch) + L"--check");
    EXPECT_EQ(result.exitCode, 0u) << result.out;

    // Again: each key has its account now, and keeps it.
    result = Export(std::wstring(kMarch) + L"--accept προτάσεις.csv");
    EXPECT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_EQ(result.out, "προτάσεις.csv: 0 stored, 4 already had an account, 0 not missing, 0 refused\r\n");
}

TEST_F(ExporterProposals, AFileThatIsNotProposalsOrAKeptTargetIsRefused) {
    ProgramResult result = Export(std::wstring(kMarch) + L"--suggest client.txt");
    EXPECT_EQ(result.exitCode, 2u);
    EXPECT_NE(result.err.find("οι προτάσεις δεν γράφονται πάνω του"), std::string::npos) << result.err;
    WriteAccounts(L"check.csv", "\xEF\xBB\xBFΚωδικός;Έγγραφο;Ημερομηνία;Κλειδί;Περιγραφή\r\n");
    result = Export(std::wstring(kMarch) + L"--accept check.csv");
    EXPECT_EQ(result.exitCode, 2u);
    EXPECT_NE(result.err.find("Το «check.csv» δεν είναι αρχείο προτάσεων: γραμμή 1"), std::string::npos) << result.err;
    result = Export(std::wstring(kMarch) + L"--accept missing.csv");
    EXPECT_EQ(result.exitCode, 1u);
    EXPECT_NE(result.err.find("Το αρχείο προτάσεων «missing.csv» δεν διαβάζεται"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace dralmoft::test
