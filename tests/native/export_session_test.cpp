#include "session/export_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/fnv_digest.h"
#include "base/iso_date.h"
#include "memory_document_source.h"
#include "memory_file_system.h"

namespace dralmoft {
namespace {

using test::MemoryDocument;
using test::MemoryDocumentSource;
using test::MemoryFileSystem;
using End = SessionResult::End;
using Kept = SessionResult::Kept;
using State = ExportOutcome::State;
using Files = std::map<std::u16string, std::string>;

// Answers as it is told to, and keeps what it was asked, in order.
class ScriptedPolicy final : public SessionPolicy {
public:
    LoggedPeriodChoice logged = LoggedPeriodChoice::All;
    bool goOn = false;
    bool write = true;
    bool replace = true;
    UncertainChoice uncertain = UncertainChoice::Stop;
    OtherCompanyChoice otherCompany = OtherCompanyChoice::Stop;
    // Answers to a log that cannot take the batch, in turn; then Cancel.
    std::vector<UnwritableLogChoice> unwritable;
    // What another program does while the question about the logged period is open.
    std::function<void()> whileAsked;
    std::vector<std::string> asked;

    LoggedPeriodChoice OnLoggedPeriod(const PeriodExports& exports) override {
        asked.push_back("logged " + std::to_string(exports.documents) + " in " +
                        std::to_string(exports.batches.size()));
        if (whileAsked) whileAsked();
        return logged;
    }
    UncertainChoice OnUncertainBatch(const ExportBatch& batch) override {
        asked.push_back("uncertain " + std::to_string(batch.number));
        return uncertain;
    }
    OtherCompanyChoice OnOtherCompany(const std::u16string& folder, const std::u16string& server, bool check) override {
        asked.push_back(std::string(check ? "check" : "export") + " of another company, " +
                        std::to_string(folder.size()) + " then " + std::to_string(server.size()) + " letters");
        return otherCompany;
    }
    void OnUnnamedCompany() override { asked.push_back("unnamed company"); }
    UnwritableLogChoice OnLogNotWritable(const LogStatus& status) override {
        asked.push_back("log not writable: " + status.text);
        if (unwritable.empty()) return UnwritableLogChoice::Cancel;
        const UnwritableLogChoice choice = unwritable.front();
        unwritable.erase(unwritable.begin());
        return choice;
    }
    bool GoOnWithoutLog(const LogStatus& status, bool check) override {
        asked.push_back(std::string(check ? "check" : "export") + " without log: " + status.text);
        return goOn;
    }
    bool WriteWithProblems(const CheckReport& report) override {
        asked.push_back("problems " + std::to_string(report.BlockingCount()));
        return write;
    }
    bool ReplaceWithEmpty(std::uint64_t earlierBytes) override {
        asked.push_back("empty over " + std::to_string(earlierBytes));
        return replace;
    }
};

std::string Day(double) { return "31/12/2004"; }

std::string Contents(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Two sales of 2004 and 2005 with accounts for everything, the earlier file "out.txt",
// and a folder of its own for the log.
class ExportSessionTest : public testing::Test {
protected:
    ExportSessionTest() {
        m_source.documents = test::TwoSales();
        m_files.files[u"out.txt"] = kEarlier;
        m_clients["T1"] = "30.00.0001";
        m_items["I1"] = "20.00;70.00";
        m_vat[24.0] = "54;54.24;54.24";
        m_vat[6.0] = "54;54.06;54.06";
        std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-');
        m_folder = std::filesystem::temp_directory_path() / ("dralmoft-session-" + name);
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
        m_logPath = (m_folder / "dralmoft-exports.db").u16string();
    }
    ~ExportSessionTest() override { std::filesystem::remove_all(m_folder); }

    SessionResult Run(bool check = false, bool onlyNew = false, bool useLog = true) {
        const SessionRequest request{
            {38000, 39000, u"out.txt", "", true}, check, useLog, onlyNew, m_logPath, m_reportPath};
        const SessionServices services{
            m_source, {m_clients, m_suppliers, m_items, m_vat}, m_files, Day, nullptr, [this] { return m_author; }};
        return RunExportSession(request, services, m_policy);
    }

    std::vector<ExportBatch> History() {
        ExportLog log;
        std::vector<ExportBatch> batches;
        EXPECT_TRUE(log.OpenExisting(m_logPath).ok);
        EXPECT_TRUE(log.History(batches).ok);
        return batches;
    }
    [[nodiscard]] bool FolderAsItWas() const {
        return m_files.files == Files{{u"out.txt", kEarlier}} && !ExportLog::Exists(m_logPath);
    }

    static constexpr char kEarlier[] = "earlier export\r\n";
    MemoryDocumentSource m_source;
    MemoryFileSystem m_files;
    AccountMap m_clients, m_suppliers, m_items;
    VatAccountMap m_vat;
    ExportAuthor m_author{"2026-12-07T10:00:00Z", u"Λογιστής", u"ΓΡΑΦΕΙΟ"};
    ScriptedPolicy m_policy;
    std::filesystem::path m_folder;
    std::u16string m_logPath;
    std::u16string m_reportPath;
};

// The first export of a folder makes its log with the batch; the next asks about the
// period, and only the new and changed documents are written, until nothing is new.
TEST_F(ExportSessionTest, TheLogIsMadeByTheFirstBatchAndOnlyNewWritesWhatChanged) {
    SessionResult result = Run();
    ASSERT_EQ(result.end, End::Ran);
    ASSERT_EQ(result.outcome.state, State::Written);
    EXPECT_TRUE(m_policy.asked.empty()) << "a clean period over no log asks nothing";
    EXPECT_EQ(result.batch, 1);
    EXPECT_EQ(result.counts.fresh, 2u);
    const std::string written = m_files.files.at(u"out.txt");
    EXPECT_EQ(written.substr(0, written.find("\r\n") + 2),
              "A12;13;1;345;T1;31/12/2004;X-A12;X-A12;10.00;0.60;54.06;1;0.60;X-A12;X-A12;;;;;;\r\n");
    std::vector<ExportBatch> history = History();
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].fileDigest, FnvDigest::Hex(result.outcome.fileDigest));
    EXPECT_EQ(history[0].when, "2026-12-07T10:00:00Z");
    EXPECT_EQ(history[0].user, u"Λογιστής");
    EXPECT_EQ(history[0].machine, u"ΓΡΑΦΕΙΟ");
    EXPECT_EQ(history[0].from, FormatIsoDate(38000));
    EXPECT_EQ(history[0].to, FormatIsoDate(39000));
    EXPECT_EQ(history[0].path, u"out.txt");
    EXPECT_EQ(history[0].separator, ";");
    EXPECT_EQ(history[0].codePage, 1253);
    EXPECT_EQ(history[0].documents, 2);
    EXPECT_EQ(history[0].records, 10);

    m_policy.logged = LoggedPeriodChoice::OnlyNew;
    result = Run();
    EXPECT_EQ(m_policy.asked, std::vector<std::string>{"logged 2 in 1"});
    EXPECT_EQ(result.kept, Kept::NothingNew);
    EXPECT_EQ(result.outcome.state, State::Discarded);
    EXPECT_EQ(result.counts.already, 2u);
    EXPECT_EQ(result.batch, 0);
    EXPECT_EQ(m_files.files, (Files{{u"out.txt", written}}));

    m_source.documents[1].lines[0].value = 200.0;  // the second document amended
    result = Run();
    EXPECT_EQ(result.batch, 2);
    EXPECT_EQ(result.counts.changed, 1u);
    EXPECT_EQ(result.counts.already, 1u);
    EXPECT_EQ(m_files.files.at(u"out.txt").find("X-A12"), std::string::npos) << "only the amended document";
    EXPECT_NE(m_files.files.at(u"out.txt").find("200.00"), std::string::npos);

    // Decided beforehand (the command line's --only-new), nothing is asked.
    m_policy.asked.clear();
    result = Run(false, true);
    EXPECT_TRUE(m_policy.asked.empty());
    EXPECT_EQ(result.kept, Kept::NothingNew);

    // Once the amended document's batch is undone, the ledger holds its first version.
    {
        ExportLog log;
        UndoResult undone = UndoResult::Unknown;
        ASSERT_TRUE(log.OpenExisting(m_logPath).ok);
        ASSERT_TRUE(log.Undo(2, "2026-12-07T11:00:00Z", u"Λογιστής", undone).ok);
    }
    result = Run(false, true);
    EXPECT_EQ(result.counts.changed, 1u);
    EXPECT_EQ(result.batch, 3);

    m_policy.logged = LoggedPeriodChoice::Cancel;
    const std::string now = m_files.files.at(u"out.txt");
    m_source.log.clear();
    result = Run();
    EXPECT_EQ(result.end, End::Stopped);
    EXPECT_TRUE(m_source.log.empty()) << "the server is not asked";
    EXPECT_EQ(m_files.files, (Files{{u"out.txt", now}}));
    EXPECT_EQ(History().size(), 3u);

    m_policy.logged = LoggedPeriodChoice::All;
    result = Run();
    EXPECT_EQ(result.batch, 4);
    EXPECT_EQ(result.outcome.summary.exported, 2u);
}

// A check reads the log (its report names the changed and the already exported
// documents) and records nothing; where there is no log it makes none.
TEST_F(ExportSessionTest, ACheckReadsTheLogButNeverMakesOne) {
    SessionResult result = Run(true);
    EXPECT_EQ(result.outcome.state, State::Checked);
    EXPECT_EQ(result.counts.fresh, 2u);
    EXPECT_TRUE(result.report.problems.empty());
    EXPECT_TRUE(FolderAsItWas());

    ASSERT_EQ(Run().batch, 1);
    m_source.documents[0].lines[1].value = 11.0;
    const std::string logBefore = Contents(m_logPath);
    result = Run(true);
    EXPECT_TRUE(m_policy.asked.empty()) << "a check does not ask about the period's batches";
    EXPECT_EQ(result.counts.changed, 1u);
    EXPECT_EQ(result.counts.already, 1u);
    ASSERT_EQ(result.report.problems.size(), 2u);
    EXPECT_EQ(result.report.problems[0].code, CheckCode::Changed);
    EXPECT_EQ(result.report.problems[1].code, CheckCode::AlreadyExported);
    EXPECT_EQ(result.batch, 0);
    EXPECT_EQ(Contents(m_logPath), logBefore);

    // Without the log (--no-log) nothing is digested: every document counts as new.
    result = Run(true, false, false);
    EXPECT_EQ(result.counts.fresh, 2u);
    EXPECT_TRUE(result.report.problems.empty());
}

// Whatever stops an export before its file replaces the target leaves the folder as it
// was: the target byte for byte, no temporary file, and no log where there was none.
struct Refusal {
    const char* name;
    void (*arrange)(MemoryDocumentSource&, MemoryFileSystem&, AccountMap& clients, ScriptedPolicy&);
    State state;
    Kept kept;
};

class RefusedExport : public ExportSessionTest, public testing::WithParamInterface<Refusal> {};

TEST_P(RefusedExport, LeavesTheFolderAsItWas) {
    GetParam().arrange(m_source, m_files, m_clients, m_policy);
    const SessionResult result = Run();
    EXPECT_EQ(result.end, End::Ran);
    EXPECT_EQ(result.outcome.state, GetParam().state);
    EXPECT_EQ(result.kept, GetParam().kept);
    EXPECT_EQ(result.batch, 0);
    EXPECT_TRUE(FolderAsItWas());
}

const Refusal kRefusals[] = {
    {"ServerFailsPartWay",
     [](MemoryDocumentSource& source, MemoryFileSystem&, AccountMap&, ScriptedPolicy&) {
         source.failCall = "ItemName";
         source.failAt = 3;  // the second document's first group
     },
     State::ServerFailed, Kept::No},
    {"FileCannotBeMade",
     [](MemoryDocumentSource&, MemoryFileSystem& files, AccountMap&, ScriptedPolicy&) { files.failCreate = true; },
     State::Unwritable, Kept::No},
    {"RecordsCannotBeWritten",
     [](MemoryDocumentSource&, MemoryFileSystem& files, AccountMap&, ScriptedPolicy&) { files.failStep = 1; },
     State::NotSaved, Kept::No},
    {"TargetHeldThroughout",
     [](MemoryDocumentSource&, MemoryFileSystem& files, AccountMap&, ScriptedPolicy&) {
         files.busyReplaces = kReplaceAttempts;
     },
     State::NotSaved, Kept::No},
    {"KeptFromItsProblems",
     [](MemoryDocumentSource&, MemoryFileSystem&, AccountMap& clients, ScriptedPolicy& policy) {
         clients.Clear();
         policy.write = false;
     },
     State::Discarded, Kept::Problems},
    {"KeptFromAnEmptyPeriod",
     [](MemoryDocumentSource& source, MemoryFileSystem&, AccountMap&, ScriptedPolicy& policy) {
         source.documents.clear();
         policy.replace = false;
     },
     State::Discarded, Kept::EmptyFile},
};
INSTANTIATE_TEST_SUITE_P(Session, RefusedExport, testing::ValuesIn(kRefusals),
                         [](const testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST_F(ExportSessionTest, ProblemsAndAnEmptyPeriodAreAskedAndMayBeWritten) {
    m_clients.Clear();
    SessionResult result = Run();
    EXPECT_EQ(m_policy.asked, std::vector<std::string>{"problems 2"});
    EXPECT_EQ(result.outcome.state, State::Written);
    EXPECT_EQ(result.batch, 1);

    m_source.documents.clear();
    m_policy.asked.clear();
    const std::uint64_t before = m_files.files.at(u"out.txt").size();
    result = Run();
    EXPECT_EQ(m_policy.asked, (std::vector<std::string>{"logged 2 in 1", "empty over " + std::to_string(before)}));
    EXPECT_EQ(result.outcome.state, State::Written);
    EXPECT_EQ(m_files.files.at(u"out.txt"), "");
    EXPECT_EQ(result.batch, 2) << "an empty export is a batch of no documents";

    // An empty file over an empty one is nothing to ask about.
    m_policy.asked.clear();
    EXPECT_EQ(Run().outcome.state, State::Written);
    EXPECT_EQ(m_policy.asked, std::vector<std::string>{"logged 2 in 1"});
}

// A log that cannot be read is told; an export may go on without it (nothing read from
// it, nothing recorded in it), a check may not. The file stays as it was either way.
TEST_F(ExportSessionTest, AnUnreadableLogIsToldAndAnExportMayGoOnWithoutIt) {
    const std::string damaged(4096, 'x');
    std::ofstream(std::filesystem::path(m_logPath), std::ios::binary) << damaged;

    SessionResult result = Run();
    EXPECT_EQ(m_policy.asked, std::vector<std::string>{"export without log: file is not a database"});
    EXPECT_EQ(result.end, End::Stopped);
    EXPECT_TRUE(result.logStatus.Damaged());
    EXPECT_TRUE(m_source.log.empty()) << "the server is not asked";
    EXPECT_EQ(m_files.files, (Files{{u"out.txt", kEarlier}}));

    m_policy.asked.clear();
    result = Run(true);
    EXPECT_EQ(m_policy.asked, std::vector<std::string>{"check without log: file is not a database"});
    EXPECT_EQ(result.end, End::Stopped);

    m_policy.goOn = true;
    result = Run();
    EXPECT_EQ(result.outcome.state, State::Written);
    EXPECT_EQ(result.batch, 0);
    EXPECT_TRUE(result.logStatus.ok);
    EXPECT_EQ(result.counts.fresh, 2u);
    EXPECT_EQ(Contents(m_logPath), damaged) << "a damaged log is never written";
}

// A log that cannot take the batch is asked about before the file replaces the target:
// cancelled, the folder is as it was; tried again, it is recorded; without the log, the
// file is written and nothing recorded.
TEST_F(ExportSessionTest, ALogThatCannotTakeTheBatchIsAskedAboutBeforeTheFileIsInPlace) {
    m_logPath = (m_folder / "no such folder" / "dralmoft-exports.db").u16string();
    SessionResult result = Run();
    EXPECT_EQ(result.kept, Kept::LogNotWritable);
    EXPECT_EQ(result.outcome.state, State::Discarded);
    EXPECT_EQ(result.batch, 0);
    EXPECT_FALSE(result.logStatus.ok);
    ASSERT_EQ(m_policy.asked.size(), 1u);
    EXPECT_EQ(m_policy.asked[0].rfind("log not writable: ", 0), 0u) << m_policy.asked[0];
    EXPECT_EQ(m_files.files, (Files{{u"out.txt", kEarlier}}));

    m_policy.asked.clear();
    m_policy.unwritable = {UnwritableLogChoice::Retry, UnwritableLogChoice::WithoutLog};
    result = Run();
    EXPECT_EQ(m_policy.asked.size(), 2u);
    EXPECT_EQ(result.outcome.state, State::Written);
    EXPECT_TRUE(result.withoutLog);
    EXPECT_EQ(result.batch, 0);
    EXPECT_NE(m_files.files.at(u"out.txt"), kEarlier);

    // The folder comes back between the question and the answer.
    m_logPath = (m_folder / "later" / "dralmoft-exports.db").u16string();
    m_policy.asked.clear();
    m_policy.unwritable = {UnwritableLogChoice::Retry};
    m_files.files[u"out.txt"] = kEarlier;
    Run();  // asked once, cancelled
    std::filesystem::create_directories(m_folder / "later");
    m_policy.unwritable = {UnwritableLogChoice::Retry};
    m_policy.asked.clear();
    m_logPath = (m_folder / "later" / "dralmoft-exports.db").u16string();
    result = Run();
    EXPECT_TRUE(m_policy.asked.empty());
    EXPECT_EQ(result.batch, 1);
}

// Two exports of one period: the one that read the log before the other recorded its
// batch is told at its commit, however long its question stayed open, and writes nothing.
TEST_F(ExportSessionTest, AnExportAnsweredFromAStaleLogIsRefusedAtItsCommit) {
    ASSERT_EQ(Run().batch, 1);
    m_files.files[u"out.txt"] = kEarlier;
    m_policy.logged = LoggedPeriodChoice::OnlyNew;
    m_source.documents[1].lines[0].value = 11.0;  // changed since batch 1
    m_policy.whileAsked = [this] {
        ExportLog other;  // the command line, exporting what is new meanwhile
        ASSERT_TRUE(other.Open(m_logPath).ok);
        ExportBatch batch;
        batch.when = "2026-12-07T11:00:00Z";
        batch.user = u"Άλλος";
        batch.from = FormatIsoDate(38000);
        batch.to = FormatIsoDate(39000);
        const LoggedDocument document{DocumentIdentity{}, FormatIsoDate(38500), 7};
        ASSERT_TRUE(other.Record(batch, std::vector<LoggedDocument>{document}).ok);
    };
    const SessionResult result = Run();
    EXPECT_EQ(result.kept, Kept::ChangedMeanwhile);
    ASSERT_TRUE(result.changedMeanwhile);
    EXPECT_EQ(result.changedMeanwhile->number, 2);
    EXPECT_EQ(result.changedMeanwhile->user, u"Άλλος");
    EXPECT_EQ(result.batch, 0);
    EXPECT_EQ(m_files.files, (Files{{u"out.txt", kEarlier}}));
    EXPECT_EQ(History().size(), 2u);

    m_policy.whileAsked = nullptr;  // run again: answered from the log as it is now
    EXPECT_EQ(Run().batch, 3);
}

// A batch an earlier export left pending is settled before the log is read: from the files
// when they tell, by the user when they do not.
struct Settling {
    const char* name;
    const char* where;  // where the batch's file is: "pending", "temporary", "held", "target", "elsewhere"
    UncertainChoice answer;
    bool asked;
    BatchState state;  // of batch 1 afterwards; Done also for "gone" when `gone`
    bool gone;
    bool ran;
};

class SettleTest : public ExportSessionTest, public testing::WithParamInterface<Settling> {};

TEST_P(SettleTest, APendingBatchIsSettledBeforeTheLogIsRead) {
    const Settling& settling = GetParam();
    constexpr char kPosted[] = "the file batch 1 wrote\r\n";
    const std::u16string pending = u"~dralmoft-00000000000000aa.pending";
    {
        ExportLog log;
        ASSERT_TRUE(log.Open(m_logPath).ok);
        ExportBatch batch;
        batch.from = batch.to = FormatIsoDate(38500);
        batch.target = u"out.txt";
        batch.temporary = pending;
        FnvDigest digest;
        digest.AddBytes(kPosted);
        batch.fileDigest = FnvDigest::Hex(digest.Value());
        std::optional<ExportBatch> changed;
        ASSERT_TRUE(log.RecordPending(batch, std::vector<LoggedDocument>{}, ExportLog::kNoChangeCheck, changed).ok);
    }
    const std::string where = settling.where;
    if (where == "pending" || where == "held") m_files.files[pending] = kPosted;
    if (where == "held") m_files.heldFiles.insert(pending);
    if (where == "temporary") m_files.files[TemporaryPathOf(pending)] = kPosted;
    if (where == "target") m_files.files[u"out.txt"] = kPosted;
    m_policy.uncertain = settling.answer;

    const SessionResult result = Run();
    EXPECT_EQ(m_policy.asked, settling.asked ? std::vector<std::string>{"uncertain 1"} : std::vector<std::string>{});
    EXPECT_EQ(result.end, settling.ran ? End::Ran : End::Stopped);
    if (settling.ran) {
        EXPECT_EQ(result.batch, 2) << "a dropped batch's number is not given again";
    }
    EXPECT_EQ(m_files.files.count(pending), where == "held" ? 1u : 0u);
    EXPECT_EQ(m_files.files.count(TemporaryPathOf(pending)), 0u);
    const std::vector<ExportBatch> history = History();
    const auto first = std::find_if(history.begin(), history.end(), [](const ExportBatch& b) { return b.number == 1; });
    ASSERT_EQ(first == history.end(), settling.gone);
    if (!settling.gone) {
        EXPECT_EQ(first->state, settling.state);
    }
}

constexpr UncertainChoice kStop = UncertainChoice::Stop;
const Settling kSettlings[] = {
    {"NeverReplaced", "pending", kStop, false, BatchState::Done, true, true},
    {"KilledBeforeTheRename", "temporary", kStop, false, BatchState::Done, true, true},
    {"ExportedNowByAnother", "held", kStop, false, BatchState::Pending, false, true},
    {"InPlace", "target", kStop, false, BatchState::Done, false, true},
    {"UncertainPosted", "elsewhere", UncertainChoice::Posted, true, BatchState::Done, false, true},
    {"UncertainNotPosted", "elsewhere", UncertainChoice::NotPosted, true, BatchState::Done, true, true},
    {"UncertainStops", "elsewhere", kStop, true, BatchState::Pending, false, false},
};
INSTANTIATE_TEST_SUITE_P(Files, SettleTest, testing::ValuesIn(kSettlings),
                         [](const testing::TestParamInfo<Settling>& info) { return std::string(info.param.name); });

// A folder belongs to the company of its first batch: another company's export stops
// before the run unless the user says it is the same company, renamed or moved, which
// binds the folder to the new name. A name in other case or with blanks around is the
// same company; a check only warns; a company without a name binds nothing.
TEST_F(ExportSessionTest, AFolderBelongsToTheCompanyOfItsFirstBatch) {
    ASSERT_EQ(Run().batch, 1);
    FolderCompany folder;
    {
        ExportLog log;
        ASSERT_TRUE(log.OpenExisting(m_logPath).ok);
        ASSERT_TRUE(log.Company(folder).ok);
    }
    EXPECT_EQ(folder.name, u"Εταιρεία Α.Ε.");
    EXPECT_EQ(folder.key, u"εταιρεία α.ε.");
    EXPECT_EQ(History().at(0).company, u"Εταιρεία Α.Ε.");

    m_source.company = u"  ΕΤΑΙΡΕΊΑ Α.Ε. ";
    m_files.files[u"out.txt"] = kEarlier;
    EXPECT_EQ(Run().batch, 2);
    EXPECT_EQ(m_policy.asked, std::vector<std::string>{"logged 2 in 1"});

    m_source.company = u"Άλλη Εταιρεία";
    m_policy.asked.clear();
    m_source.log.clear();
    m_files.files[u"out.txt"] = kEarlier;
    SessionResult result = Run();
    EXPECT_EQ(result.end, End::Stopped);
    EXPECT_TRUE(result.otherCompany);
    EXPECT_EQ(m_policy.asked, std::vector<std::string>{"export of another company, 13 then 13 letters"});
    EXPECT_TRUE(m_source.log.empty()) << "the server is not asked for documents";
    EXPECT_EQ(m_files.files.at(u"out.txt"), kEarlier);

    m_policy.asked.clear();
    result = Run(true);
    EXPECT_EQ(result.outcome.state, State::Checked) << "a check only warns";
    EXPECT_EQ(m_policy.asked, std::vector<std::string>{"check of another company, 13 then 13 letters"});

    m_policy.otherCompany = OtherCompanyChoice::Rebind;
    m_policy.asked.clear();
    EXPECT_EQ(Run().batch, 3);
    EXPECT_EQ(m_policy.asked,
              (std::vector<std::string>{"export of another company, 13 then 13 letters", "logged 2 in 1"}));
    {
        ExportLog log;
        ASSERT_TRUE(log.OpenExisting(m_logPath).ok);
        ASSERT_TRUE(log.Company(folder).ok);
    }
    EXPECT_EQ(folder.name, u"Άλλη Εταιρεία");

    m_source.company = u" ";
    m_policy.asked.clear();
    EXPECT_EQ(Run().batch, 4);
    EXPECT_EQ(m_policy.asked, (std::vector<std::string>{"unnamed company", "logged 2 in 1"}));
    EXPECT_EQ(History().at(0).company, u"");
}

// The report that goes with an export is in place before the file, or neither is: a report
// that cannot be written leaves the file and the log as they were, and an export that
// does not follow its report puts the earlier report back.
TEST_F(ExportSessionTest, TheReportGoesWithTheFileOrNeitherIsWritten) {
    m_reportPath = u"report.csv";
    m_files.files[m_reportPath] = "earlier report";
    m_files.unreadable.insert(m_reportPath);  // another program holds it
    SessionResult result = Run();
    EXPECT_EQ(result.kept, Kept::ReportNotWritten);
    EXPECT_FALSE(result.reportStatus.ok);
    EXPECT_EQ(result.batch, 0);
    EXPECT_EQ(m_files.files, (Files{{u"out.txt", kEarlier}, {u"report.csv", "earlier report"}}));
    EXPECT_FALSE(ExportLog::Exists(m_logPath));

    m_files.unreadable.clear();
    m_logPath = (m_folder / "no such folder" / "dralmoft-exports.db").u16string();
    result = Run();  // the log cannot take the batch: cancelled
    EXPECT_EQ(result.kept, Kept::LogNotWritable);
    EXPECT_FALSE(result.reportWritten);
    EXPECT_EQ(m_files.files, (Files{{u"out.txt", kEarlier}, {u"report.csv", "earlier report"}}));

    m_files.files.erase(m_reportPath);
    result = Run();
    EXPECT_EQ(m_files.files, (Files{{u"out.txt", kEarlier}})) << "a report that was not there is not left";

    m_logPath = (m_folder / "dralmoft-exports.db").u16string();
    result = Run();
    EXPECT_EQ(result.outcome.state, State::Written);
    EXPECT_TRUE(result.reportWritten);
    EXPECT_EQ(result.batch, 1);
    EXPECT_EQ(m_files.files.at(m_reportPath)
                  .rfind("\xef\xbb\xbf"
                         "Κωδικός;",
                         0),
              0u)
        << "the problems' header: " << m_files.files.at(m_reportPath).substr(0, 40);
}

// A check only looks: it settles nothing and records nothing.
TEST_F(ExportSessionTest, ACheckLeavesAPendingBatchAsItIs) {
    {
        ExportLog log;
        ASSERT_TRUE(log.Open(m_logPath).ok);
        ExportBatch batch;
        batch.temporary = u"~dralmoft-00000000000000aa.pending";
        std::optional<ExportBatch> changed;
        ASSERT_TRUE(log.RecordPending(batch, std::vector<LoggedDocument>{}, ExportLog::kNoChangeCheck, changed).ok);
    }
    EXPECT_EQ(Run(true).outcome.state, State::Checked);
    EXPECT_TRUE(m_policy.asked.empty());
    EXPECT_EQ(History().at(0).state, BatchState::Pending);
}

}  // namespace
}  // namespace dralmoft
