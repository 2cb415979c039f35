#include "session/commit_and_record.h"

#include <gtest/gtest.h>

#include "memory_document_source.h"
#include "memory_file_system.h"

namespace dralmoft {
namespace {

using State = ExportOutcome::State;

// Each step of putting a file in place and recording it, made to fail in turn: the batch
// stands only for a file that replaced the target.
struct Step {
    const char* name;
    bool replaceFails;      // another program holds the target throughout
    bool logOpen;           // the folder had a log when the export began
    const char16_t* logAt;  // where the log is made when it had none
    State state;
    bool recorded;
};

class CommitAndRecordTest : public testing::TestWithParam<Step> {};

TEST_P(CommitAndRecordTest, RecordsOnlyWhatReplacedTheTarget) {
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
    const ExportRequest request{38000, 39000, u"out.txt", ";", [] { return true; }};
    ExportOutcome outcome = ExportToFile(
        request,
        {source, {clients, suppliers, items, vat}, files, [](double) { return std::string("d"); }, nullptr, &observer});
    ASSERT_EQ(outcome.state, State::Pending);
    files.busyReplaces = step.replaceFails ? kReplaceAttempts : 0;

    ExportLog log;
    if (step.logOpen) {
        ASSERT_TRUE(log.Open(u":memory:").ok);
    }
    const std::u16string path = step.logAt;
    const std::function<ExportAuthor()> author = [] { return ExportAuthor{"2026-12-08T09:00:00Z", u"Α", u"Β"}; };
    const BatchToRecord batch{log, path, request, observer, author};
    const Committed committed = CommitAndRecord(outcome, &batch);

    EXPECT_EQ(outcome.state, step.state);
    EXPECT_EQ(committed.batch != 0, step.recorded);
    EXPECT_EQ(log.IsOpen(), step.logOpen || step.recorded) << "a log is made only to record a batch";
    EXPECT_EQ(files.files.at(u"out.txt") == "earlier", step.state != State::Written);
}

const Step kSteps[] = {
    {"IntoTheOpenLog", false, true, u"", State::Written, true},
    {"IntoANewLog", false, false, u":memory:", State::Written, true},
    {"ReplaceFails", true, false, u":memory:", State::NotSaved, false},
    {"ReplaceFailsOverTheOpenLog", true, true, u"", State::NotSaved, false},
    {"LogCannotBeMade", false, false, u"/no/such/folder/dralmoft-exports.db", State::Written, false},
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
    const ExportRequest request{38000, 39000, u"out.txt", ";", [] { return true; }};
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
