#include "session/commit_and_record.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sqlite3.h>

#include "data/atomic_save.h"
#include "memory_document_source.h"
#include "memory_file_system.h"

namespace dralmoft {
namespace {

using State = ExportOutcome::State;
using Files = std::map<std::u16string, std::string>;

// Where the batch stands in the log afterwards.
enum class Logged { Nothing, Pending, Done };

// Each step of putting a file in place and recording it, made to fail in turn: the target
// and the log agree afterwards, or the log holds a pending batch the next export settles.
struct Step {
    const char* name;
    bool logOpen;           // the folder had a log when the export began
    const char* trigger;    // SQL run on the log before the commit, to make a step fail
    int failingReplace;     // which file replace fails (1: the rename to the pending name)
    bool changedMeanwhile;  // a batch of the period was recorded after the session read the log
    State state;
    Logged logged;
};

class CommitAndRecordTest : public testing::TestWithParam<Step> {
protected:
    CommitAndRecordTest() {
        std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-');
        m_folder = std::filesystem::temp_directory_path() / ("dralmoft-commit-" + name);
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
        m_logPath = (m_folder / "dralmoft-exports.db").u16string();
    }
    ~CommitAndRecordTest() override { std::filesystem::remove_all(m_folder); }

    // Runs `sql` on the log as another program would.
    void Execute(const std::string& sql) const {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open16(m_logPath.c_str(), &raw), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(raw);
        sqlite3_close(raw);
    }

    std::filesystem::path m_folder;
    std::u16string m_logPath;
};

TEST_P(CommitAndRecordTest, TheTargetAndTheLogAgree) {
    const Step& step = GetParam();
    test::MemoryDocumentSource source;
    test::MemoryDocument document;
    document.lines = {{true, 100.0, 0.0, 24.0, "I1"}};
    source.documents = {document};
    test::MemoryFileSystem files;
    files.files[u"out.txt"] = "earlier";
    AccountMap clients, suppliers, items;
    VatAccountMap vat;
    ExportLogObserver observer({}, false);
    const ExportRequest request{38000, 39000, u"out.txt", ";", true};
    ExportOutcome outcome = ExportToFile(
        request,
        {source, {clients, suppliers, items, vat}, files, [](double) { return std::string("d"); }, nullptr, &observer});
    ASSERT_EQ(outcome.state, State::Pending);
    const std::string written = files.files.at(outcome.PendingFile());

    ExportLog log;
    if (step.logOpen || step.changedMeanwhile || *step.trigger != '\0') {
        ASSERT_TRUE(log.Open(m_logPath).ok);
    }
    if (step.changedMeanwhile) {
        ExportLog other;
        ASSERT_TRUE(other.Open(m_logPath).ok);
        ExportBatch batch;
        batch.from = batch.to = "2005-01-01";
        ASSERT_TRUE(other.Record(batch, std::vector<LoggedDocument>{{{}, "2005-01-01", 1}}).ok);
    }
    if (*step.trigger != '\0') Execute(step.trigger);
    if (!step.logOpen) log = ExportLog();
    if (step.failingReplace != 0) files.failStep = files.steps + step.failingReplace;
    const std::function<ExportAuthor()> author = [] { return ExportAuthor{"2026-12-08T09:00:00Z", u"Α", u"Β"}; };
    const BatchToRecord batch{log, m_logPath, request, observer, author, files, 0, u"Εταιρεία"};
    const Committed committed = CommitAndRecord(outcome, &batch);

    EXPECT_EQ(outcome.state, step.state);
    EXPECT_EQ(committed.changedMeanwhile.has_value(), step.changedMeanwhile);
    EXPECT_EQ(files.files.at(u"out.txt"), step.state == State::Written ? written : "earlier");
    if (outcome.state == State::Pending) outcome.Discard();
    EXPECT_EQ(files.files.size(), 1u) << "no temporary or pending file stays";

    ExportLog after;
    std::vector<ExportBatch> batches;
    ASSERT_TRUE(after.Open(m_logPath).ok);
    ASSERT_TRUE(after.History(batches).ok);
    std::erase_if(batches, [](const ExportBatch& b) { return b.company != u"Εταιρεία"; });
    EXPECT_EQ(batches.empty(), step.logged == Logged::Nothing);
    EXPECT_EQ(committed.batch != 0, step.logged != Logged::Nothing);
    EXPECT_EQ(committed.log.ok,
              step.logged != Logged::Pending && (step.state != State::Pending || step.changedMeanwhile));
    if (batches.empty()) return;
    const ExportBatch& recorded = batches.front();
    EXPECT_EQ(recorded.state, step.logged == Logged::Done ? BatchState::Done : BatchState::Pending);
    EXPECT_EQ(recorded.target, u"out.txt");
    EXPECT_TRUE(IsPendingName(recorded.temporary)) << "a pending file's name: not a leftover of the cleanup";
    EXPECT_EQ(recorded.company, u"Εταιρεία");
}

constexpr char kNone[] = "";
constexpr char kNoInsert[] = "CREATE TRIGGER f BEFORE INSERT ON batch BEGIN SELECT RAISE(FAIL, 'disk full'); END";
constexpr char kNoDone[] =
    "CREATE TRIGGER f BEFORE UPDATE OF state ON batch BEGIN SELECT RAISE(FAIL, 'disk full'); END";
constexpr char kNoDrop[] = "CREATE TRIGGER f BEFORE DELETE ON batch BEGIN SELECT RAISE(FAIL, 'disk full'); END";

const Step kSteps[] = {
    {"IntoTheOpenLog", true, kNone, 0, false, State::Written, Logged::Done},
    {"IntoANewLog", false, kNone, 0, false, State::Written, Logged::Done},
    {"TheLogCannotTakeTheBatch", true, kNoInsert, 0, false, State::Pending, Logged::Nothing},
    {"TheLogChangedMeanwhile", true, kNone, 0, true, State::Pending, Logged::Nothing},
    {"RenameFails", true, kNone, 1, false, State::NotSaved, Logged::Nothing},
    {"ReplaceFails", false, kNone, 2, false, State::NotSaved, Logged::Nothing},
    {"ReplaceFailsAndTheBatchCannotGo", true, kNoDrop, 2, false, State::NotSaved, Logged::Pending},
    {"MarkDoneFails", true, kNoDone, 0, false, State::Written, Logged::Pending},
};
INSTANTIATE_TEST_SUITE_P(Steps, CommitAndRecordTest, testing::ValuesIn(kSteps),
                         [](const testing::TestParamInfo<Step>& info) { return std::string(info.param.name); });

// Without a log (--no-log, or a log the user chose to do without) the file is only put in
// place, and a discarded file is neither.
TEST(CommitAndRecord, WithoutALogOnlyCommits) {
    test::MemoryDocumentSource source;
    test::MemoryFileSystem files;
    AccountMap clients, suppliers, items;
    VatAccountMap vat;
    const ExportRequest request{38000, 39000, u"out.txt", ";", true};
    const ExportServices services{source, {clients, suppliers, items, vat}, files, {}, nullptr, nullptr, nullptr};
    ExportOutcome outcome = ExportToFile(request, services);
    const Committed committed = CommitAndRecord(outcome, nullptr);
    EXPECT_EQ(outcome.state, State::Written);
    EXPECT_TRUE(committed.log.ok);
    EXPECT_EQ(committed.batch, 0);

    ExportOutcome discarded = ExportToFile(request, services);
    discarded.Discard();
    (void)CommitAndRecord(discarded, nullptr);
    EXPECT_EQ(discarded.state, State::Discarded);
}

}  // namespace
}  // namespace dralmoft
