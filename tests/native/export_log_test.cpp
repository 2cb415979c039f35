#include "log/export_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sqlite3.h>

#include "log/document_digest.h"
#include "log/export_log_observer.h"

namespace dralmoft {
namespace {

DocumentIdentity Invoice(std::string series, std::int64_t number, std::string taxId = "094019245") {
    return {true, "\xd4\xe9\xec\xef\xeb\xfc\xe3\xe9\xef", std::move(series), number, 2026, std::move(taxId)};
}

ExportBatch Batch(std::string when) {
    ExportBatch batch;
    batch.when = std::move(when);
    batch.user = u"Λογιστής";
    batch.machine = u"ΓΡΑΦΕΙΟ-1";
    batch.from = "2026-03-01";
    batch.to = "2026-03-31";
    batch.path = u"C:\\Εξαγωγές\\μάρτιος.txt";
    batch.separator = ";";
    return batch;
}

std::optional<std::uint64_t> Latest(ExportLog& log, const DocumentIdentity& identity) {
    LoggedDigests digests;
    const LogStatus status = log.LatestDigests(identity.year, identity.year, digests);
    EXPECT_TRUE(status.ok) << status.text;
    const auto found = digests.find(identity);
    return found != digests.end() ? std::optional(found->second) : std::nullopt;
}

class ExportLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        const LogStatus opened = log.Open(u":memory:");
        ASSERT_TRUE(opened.ok) << opened.text;
    }

    std::int64_t Record(ExportBatch batch, std::vector<LoggedDocument> documents) {
        const LogStatus status = log.Record(batch, documents);
        EXPECT_TRUE(status.ok) << status.text;
        return batch.number;
    }

    ExportLog log;
};

TEST_F(ExportLogTest, KeepsTheBatchAndItsDocumentsAsGiven) {
    ExportBatch batch = Batch("2026-04-02T08:15:00Z");
    batch.path.push_back(char16_t{0xd800});  // a lone surrogate: kept unit for unit
    batch.codePage = 737;
    batch.documents = 2;
    batch.records = 7;
    batch.fileDigest = "00ff00ff00ff00ff";
    const LoggedDocument first{Invoice("\xc1", 12), "2026-03-04", 0xfedcba9876543210ull};
    // Same series and number, another supplier: another document.
    const LoggedDocument second{{false, "\xd4\xe9\xec", "\xc1", 12, 2026, "999999999"}, "2026-03-05", 5};
    const std::int64_t number = Record(batch, {first, second, first});
    EXPECT_EQ(number, 1);

    std::vector<ExportBatch> history;
    ASSERT_TRUE(log.History(history).ok);
    ASSERT_EQ(history.size(), 1u);
    const ExportBatch& kept = history[0];
    EXPECT_EQ(kept.number, 1);
    EXPECT_EQ(kept.when, "2026-04-02T08:15:00Z");
    EXPECT_EQ(kept.user, u"Λογιστής");
    EXPECT_EQ(kept.machine, u"ΓΡΑΦΕΙΟ-1");
    EXPECT_EQ(kept.from, "2026-03-01");
    EXPECT_EQ(kept.to, "2026-03-31");
    EXPECT_EQ(kept.path, batch.path);
    EXPECT_EQ(kept.codePage, 737);
    EXPECT_EQ(kept.separator, ";");
    EXPECT_EQ(kept.documents, 2);
    EXPECT_EQ(kept.records, 7);
    EXPECT_EQ(kept.fileDigest, "00ff00ff00ff00ff");
    EXPECT_FALSE(kept.Undone());

    std::vector<LoggedDocument> documents;
    ASSERT_TRUE(log.Documents(1, documents).ok);
    ASSERT_EQ(documents.size(), 2u);  // the repeated one once
    EXPECT_EQ(documents[0].identity, first.identity);
    EXPECT_EQ(documents[0].date, "2026-03-04");
    EXPECT_EQ(documents[0].digest, 0xfedcba9876543210ull);
    EXPECT_EQ(documents[1].identity, second.identity);

    EXPECT_EQ(Latest(log, first.identity), 0xfedcba9876543210ull);
    EXPECT_EQ(Latest(log, second.identity), 5u);
    // Each part of the identity tells documents apart.
    DocumentIdentity other = first.identity;
    other.year = 2025;
    EXPECT_EQ(Latest(log, other), std::nullopt);
    other = first.identity;
    other.taxId = "094019246";
    EXPECT_EQ(Latest(log, other), std::nullopt);
    other = first.identity;
    other.sale = false;
    EXPECT_EQ(Latest(log, other), std::nullopt);
}

TEST_F(ExportLogTest, TheLatestBatchStandingCountsAndUndoIsKept) {
    const DocumentIdentity amended = Invoice("A", 1);
    const DocumentIdentity once = Invoice("A", 2);
    Record(Batch("2026-04-01T10:00:00Z"), {{amended, "2026-03-10", 1}, {once, "2026-03-31", 3}});
    Record(Batch("2026-04-05T10:00:00Z"), {{amended, "2026-03-10", 2}, {Invoice("A", 3), "2026-04-01", 4}});
    EXPECT_EQ(Latest(log, amended), 2u);
    LoggedDigests year;
    ASSERT_TRUE(log.LatestDigests(2026, 2026, year).ok);
    EXPECT_EQ(year, (LoggedDigests{{amended, 2}, {once, 3}, {Invoice("A", 3), 4}}));
    ASSERT_TRUE(log.LatestDigests(2024, 2025, year).ok);
    EXPECT_TRUE(year.empty());

    PeriodExports march;
    ASSERT_TRUE(log.InPeriod("2026-03-01", "2026-03-31", march).ok);
    ASSERT_EQ(march.batches.size(), 2u);
    EXPECT_EQ(march.batches[0].number, 1);
    EXPECT_EQ(march.batches[0].when, "2026-04-01T10:00:00Z");
    // Each document once, under the batch that exported it last.
    EXPECT_EQ(march.batches[0].documents, 1);
    EXPECT_EQ(march.batches[1].documents, 1);
    EXPECT_EQ(march.documents, 2);

    // What undoing batch 2 would do, told before and done after: the amended invoice goes
    // back to batch 1's version, the other counts as new again.
    UndoResult result = UndoResult::Unknown;
    UndoEffect effect;
    ASSERT_TRUE(log.PreviewUndo(2, result, effect).ok);
    EXPECT_EQ(result, UndoResult::Undone);
    EXPECT_EQ(effect, (UndoEffect{1, 1, 0}));
    EXPECT_EQ(Latest(log, amended), 2u) << "a preview changes nothing";
    effect = {};
    ASSERT_TRUE(log.Undo(2, "2026-04-06T09:00:00Z", u"Προϊστάμενος", result, &effect).ok);
    EXPECT_EQ(result, UndoResult::Undone);
    EXPECT_EQ(effect, (UndoEffect{1, 1, 0}));
    EXPECT_EQ(Latest(log, amended), 1u);
    EXPECT_EQ(Latest(log, Invoice("A", 3)), std::nullopt);
    ASSERT_TRUE(log.LatestDigests(2026, 2026, year).ok);
    EXPECT_EQ(year, (LoggedDigests{{amended, 1}, {once, 3}}));
    ASSERT_TRUE(log.Undo(2, "2026-04-07T09:00:00Z", u"Άλλος", result).ok);
    EXPECT_EQ(result, UndoResult::AlreadyUndone);
    ASSERT_TRUE(log.Undo(9, "2026-04-07T09:00:00Z", u"Άλλος", result).ok);
    EXPECT_EQ(result, UndoResult::Unknown);

    std::vector<ExportBatch> history;
    ASSERT_TRUE(log.History(history).ok);
    ASSERT_EQ(history.size(), 2u);
    EXPECT_EQ(history[0].number, 2);  // newest first, still there
    EXPECT_EQ(history[0].undoneWhen, "2026-04-06T09:00:00Z");
    EXPECT_EQ(history[0].undoneBy, u"Προϊστάμενος");
    EXPECT_FALSE(history[1].Undone());
    ASSERT_TRUE(log.InPeriod("2026-03-01", "2026-03-31", march).ok);
    EXPECT_EQ(march.batches.size(), 1u);
    EXPECT_EQ(march.documents, 2);

    // A later batch holds the amended invoice: undoing batch 1 leaves it there.
    Record(Batch("2026-04-08T10:00:00Z"), {{amended, "2026-03-10", 5}});
    ASSERT_TRUE(log.Undo(1, "2026-04-08T11:00:00Z", u"Προϊστάμενος", result, &effect).ok);
    EXPECT_EQ(effect, (UndoEffect{1, 0, 1}));
    ASSERT_TRUE(log.InPeriod("2026-03-01", "2026-03-31", march).ok);
    EXPECT_EQ(march.documents, 1);
}

// A batch counts from when its file is in place: pending, its documents are not the
// latest, it cannot be undone, and it goes without a trace when its file never got there.
TEST_F(ExportLogTest, APendingBatchCountsOnlyOnceDoneAndADroppedOneLeavesItsNumberUnused) {
    const DocumentIdentity invoice = Invoice("A", 1);
    Record(Batch("2026-04-01T10:00:00Z"), {{invoice, "2026-03-10", 1}});
    ExportBatch pending = Batch("2026-04-02T10:00:00Z");
    pending.target = u"C:\\Εξαγωγές\\μάρτιος.txt";
    pending.temporary = u"C:\\Εξαγωγές\\~dralmoft-00000000000000a1.pending";
    pending.company = u"Εταιρεία Α.Ε.";
    std::optional<ExportBatch> changed;
    ASSERT_TRUE(log.RecordPending(pending, std::vector<LoggedDocument>{{invoice, "2026-03-10", 2}},
                                  ExportLog::kNoChangeCheck, changed)
                    .ok);
    EXPECT_EQ(pending.number, 2);
    EXPECT_EQ(Latest(log, invoice), 1u) << "pending: not yet the latest";
    std::vector<ExportBatch> batches;
    ASSERT_TRUE(log.PendingBatches(batches).ok);
    ASSERT_EQ(batches.size(), 1u);
    EXPECT_EQ(batches[0].state, BatchState::Pending);
    EXPECT_EQ(batches[0].target, pending.target);
    EXPECT_EQ(batches[0].temporary, pending.temporary);
    EXPECT_EQ(batches[0].company, pending.company);
    UndoResult result = UndoResult::Unknown;
    ASSERT_TRUE(log.Undo(2, "2026-04-02T11:00:00Z", u"Άλλος", result).ok);
    EXPECT_EQ(result, UndoResult::Pending);

    ASSERT_TRUE(log.MarkDone(2).ok);
    EXPECT_EQ(Latest(log, invoice), 2u);
    ASSERT_TRUE(log.Drop(2).ok) << "a done batch is not dropped";
    Record(Batch("2026-04-03T10:00:00Z"), {{invoice, "2026-03-10", 3}});
    ASSERT_TRUE(log.MarkDone(2).ok);
    EXPECT_EQ(Latest(log, invoice), 3u) << "marked done twice: taken as the latest only once";

    ExportBatch dropped = Batch("2026-04-04T10:00:00Z");
    ASSERT_TRUE(log.RecordPending(dropped, std::vector<LoggedDocument>{{invoice, "2026-03-10", 4}},
                                  ExportLog::kNoChangeCheck, changed)
                    .ok);
    ASSERT_TRUE(log.Drop(dropped.number).ok);
    ASSERT_TRUE(log.MarkDone(dropped.number).ok);
    EXPECT_EQ(Latest(log, invoice), 3u);
    std::vector<LoggedDocument> documents;
    ASSERT_TRUE(log.Documents(dropped.number, documents).ok);
    EXPECT_TRUE(documents.empty());
    EXPECT_EQ(Record(Batch("2026-04-05T10:00:00Z"), {}), dropped.number + 1);
    ASSERT_TRUE(log.History(batches).ok);
    EXPECT_EQ(batches.size(), 4u);
    EXPECT_TRUE(
        std::none_of(batches.begin(), batches.end(), [](const ExportBatch& b) { return b.state != BatchState::Done; }));
}

// An export that read the log at one change count is refused at its commit when a batch
// of its period was made pending, done or undone since; batches of other days are not its
// concern.
TEST_F(ExportLogTest, ABatchOfThePeriodChangedSinceTheReadingIsNamed) {
    const DocumentIdentity march = Invoice("A", 1);
    const DocumentIdentity april = Invoice("A", 2);
    const auto changedSince = [&](std::int64_t read) {
        ExportBatch batch = Batch("2026-05-01T10:00:00Z");
        std::optional<ExportBatch> changed;
        EXPECT_TRUE(log.RecordPending(batch, std::vector<LoggedDocument>{{march, "2026-03-10", 9}}, read, changed).ok);
        if (!changed) {
            EXPECT_TRUE(log.Drop(batch.number).ok);
        }
        return changed ? changed->number : 0;
    };
    std::int64_t read = 0;
    ASSERT_TRUE(log.Changes(read).ok);
    EXPECT_EQ(changedSince(read), 0);
    ASSERT_TRUE(log.Changes(read).ok);
    EXPECT_EQ(read, 1) << "made pending; a dropped batch leaves the count";

    ExportBatch other = Batch("2026-04-01T10:00:00Z");
    other.from = other.to = "2026-04-15";
    Record(other, {{april, "2026-04-15", 1}});
    EXPECT_EQ(changedSince(read), 0) << "another period";

    ExportBatch pending = Batch("2026-04-02T10:00:00Z");
    std::optional<ExportBatch> changed;
    ASSERT_TRUE(log.RecordPending(pending, std::vector<LoggedDocument>{{march, "2026-03-10", 1}}, read, changed).ok);
    ASSERT_FALSE(changed);
    EXPECT_EQ(changedSince(read), pending.number) << "made pending since";
    ASSERT_TRUE(log.Changes(read).ok);
    EXPECT_EQ(changedSince(read), 0);
    ASSERT_TRUE(log.MarkDone(pending.number).ok);
    ExportBatch batch = Batch("2026-05-01T10:00:00Z");
    ASSERT_TRUE(log.RecordPending(batch, std::vector<LoggedDocument>{}, read, changed).ok);
    ASSERT_TRUE(changed) << "done since";
    EXPECT_EQ(changed->number, pending.number);
    EXPECT_EQ(changed->when, "2026-04-02T10:00:00Z");
    EXPECT_EQ(changed->user, u"Λογιστής");
    EXPECT_EQ(batch.number, 0) << "nothing recorded";
    ASSERT_TRUE(log.Changes(read).ok);
    UndoResult result = UndoResult::Unknown;
    ASSERT_TRUE(log.Undo(pending.number, "2026-04-03T10:00:00Z", u"Άλλος", result).ok);
    EXPECT_EQ(changedSince(read), pending.number) << "undone since";
}

class ExportLogFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("dralmoft-log-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::u16string Path() const { return (folder / "dralmoft-exports.db").u16string(); }
    std::string Bytes() const {
        std::ifstream in(folder / "dralmoft-exports.db", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // Runs `sql` on the file as another program would.
    void Execute(const std::string& sql) const {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open16(Path().c_str(), &raw), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(raw);
        sqlite3_close(raw);
    }
    void SetVersion(int version) const { Execute("PRAGMA user_version = " + std::to_string(version)); }

    std::filesystem::path folder;
};

TEST_F(ExportLogFileTest, ASchemaOfItsOwnANewerOneRefusedADamagedFileLeftAlone) {
    {
        ExportLog log;
        ASSERT_TRUE(log.Open(Path()).ok);
        ExportBatch batch = Batch("2026-04-01T10:00:00Z");
        ASSERT_TRUE(log.Record(batch, std::vector<LoggedDocument>{{Invoice("A", 1), "2026-03-10", 1}}).ok);
    }
    {
        ExportLog again;  // opened again: the same schema, the batch still there
        ASSERT_TRUE(again.Open(Path()).ok);
        std::vector<ExportBatch> history;
        ASSERT_TRUE(again.History(history).ok);
        EXPECT_EQ(history.size(), 1u);
    }
    SetVersion(ExportLog::kSchemaVersion + 1);
    {
        ExportLog newer;
        const LogStatus status = newer.Open(Path());
        EXPECT_FALSE(status.ok);
        EXPECT_NE(status.text.find("newer version"), std::string::npos) << status.text;
        EXPECT_FALSE(newer.IsOpen());
    }

    const std::string damaged =
        "This is not a database, but a user's file of the same name.\r\n" + std::string(600, 'x');
    std::ofstream(folder / "dralmoft-exports.db", std::ios::binary | std::ios::trunc) << damaged;
    ExportLog log;
    const LogStatus status = log.Open(Path());
    EXPECT_FALSE(status.ok);
    EXPECT_TRUE(status.Damaged()) << status.code << " " << status.text;
    EXPECT_EQ(status.text, "file is not a database");
    EXPECT_EQ(Bytes(), damaged);
}

// A new log is built whole under a temporary name and linked into place: nothing of the
// building stays, and an empty file of the log's name (a failed copy) is never taken for a
// new log, but refused like a damaged one and left as it is.
TEST_F(ExportLogFileTest, ANewLogIsMadeWholeAndAnEmptyFileIsRefused) {
    {
        ExportLog log;
        ASSERT_FALSE(ExportLog::Exists(Path()));
        const LogStatus made = log.Open(Path());
        ASSERT_TRUE(made.ok) << made.text;
        ExportBatch batch = Batch("2026-04-01T10:00:00Z");
        ASSERT_TRUE(log.Record(batch, std::vector<LoggedDocument>{{Invoice("A", 1), "2026-03-10", 1}}).ok);
    }
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"dralmoft-exports.db"});

    std::ofstream(folder / "dralmoft-exports.db", std::ios::binary | std::ios::trunc).close();
    EXPECT_TRUE(ExportLog::Exists(Path())) << "an empty file is there";
    for (const bool create : {true, false}) {
        ExportLog log;
        const LogStatus status = create ? log.Open(Path()) : log.OpenExisting(Path());
        EXPECT_FALSE(status.ok);
        EXPECT_TRUE(status.Damaged()) << status.text;
        EXPECT_FALSE(log.IsOpen());
    }
    EXPECT_EQ(std::filesystem::file_size(folder / "dralmoft-exports.db"), 0u);
}

TEST(LogDigestTest, PiecesAreClosedByTheirLengthAndHexIsSixteenDigits) {
    FnvDigest whole, split, joined;
    whole.Add("ab");
    whole.Add("c");
    split.Add("a");
    split.Add("bc");
    joined.Add("abc");
    EXPECT_NE(whole.Value(), split.Value());
    EXPECT_NE(whole.Value(), joined.Value());
    FnvDigest same;
    same.Add("ab");
    same.Add("c");
    EXPECT_EQ(same.Value(), whole.Value());
    EXPECT_EQ(FnvDigest::Hex(0x0123456789abcdefull), "0123456789abcdef");
    EXPECT_EQ(FnvDigest::Hex(0), "0000000000000000");
}

DocumentFields SaleFields(std::int32_t number) {
    DocumentFields fields;
    fields.series = "\xc1";  // Α
    fields.number = number;
    fields.kind = 1;
    fields.traderNumber = 3;
    fields.taxId = "094019245";
    fields.date = "7/3/2026";
    fields.name = "\xd4\xe9\xec";
    fields.oleDate = 46088.0;  // 7 March 2026
    return fields;
}

// An export of only what is new writes the documents the log does not hold, or holds with
// other records, and logs each document written once.
TEST(ExportLogObserverTest, CountsNewChangedAndAlreadyExportedAndLogsEachOnce) {
    const std::vector<ComposedGroup> groups{{24.0, "Item", 100.0, 24.0, "54.00.24", "70.00"}};
    const ComposedTrader trader{124.0, 24.0, "30.00.01"};
    const DocumentFields fresh = SaleFields(1), same = SaleFields(2), amended = SaleFields(3);
    const auto composed = [&](const DocumentFields& fields) {
        return ComposedDocument(fields, "", {}, groups, trader);
    };
    LoggedDigests logged{{LogEntryOf(composed(same)).identity, LogEntryOf(composed(same)).digest},
                         {LogEntryOf(composed(amended)).identity, LogEntryOf(composed(amended)).digest + 1}};

    for (const bool onlyNew : {false, true}) {
        ExportLogObserver observer(logged, onlyNew);
        EXPECT_TRUE(observer.Keep(composed(fresh)));
        EXPECT_EQ(observer.Keep(composed(same)), !onlyNew);
        EXPECT_TRUE(observer.Keep(composed(amended)));
        EXPECT_TRUE(observer.Keep(composed(fresh)));  // met again (the second query): logged once
        EXPECT_EQ(observer.Counts().fresh, 1u);
        EXPECT_EQ(observer.Counts().changed, 1u);
        EXPECT_EQ(observer.Counts().already, 1u);
        std::vector<std::int64_t> numbers;
        for (const LoggedDocument& entry : observer.Entries()) numbers.push_back(entry.identity.number);
        EXPECT_EQ(numbers, onlyNew ? (std::vector<std::int64_t>{1, 3}) : (std::vector<std::int64_t>{1, 2, 3}));
    }
}

// The log's digest of a composed document: the same for the same values however the file
// wrote them; another for any change of a value.
TEST(DocumentDigestTest, FollowsTheFieldValuesNotTheirForm) {
    DocumentFields fields;
    fields.series = "\xc1";  // Α
    fields.number = 7;
    fields.kind = 1;
    fields.traderNumber = 3;
    fields.taxId = "094019245";
    fields.date = "7/3/2026";
    fields.reference =
        "\xd4\xe9\xec-\xc1"
        "7";
    fields.name = "\xd4\xe9\xec";
    fields.oleDate = 46088.0;  // 7 March 2026
    std::vector<ComposedGroup> groups{{24.0, "Item", 100.0, 24.0, "54.00.24", "70.00"}};
    ComposedTrader trader{124.0, 24.0, "30.00.01"};
    const auto entry = [&] { return LogEntryOf(ComposedDocument(fields, "", {}, groups, trader)); };

    const LoggedDocument first = entry();
    EXPECT_EQ(first.date, "2026-03-07");
    EXPECT_EQ(first.identity, (DocumentIdentity{true, "\xd4\xe9\xec", "\xc1", 7, 2026, "094019245"}));
    fields.date = "07/03/26";  // another locale's date form
    EXPECT_EQ(entry().digest, first.digest);

    groups[0].net = 100.01;  // an amended amount
    EXPECT_NE(entry().digest, first.digest);
    groups[0].net = 100.0;
    trader.account = "30.00.02";
    EXPECT_NE(entry().digest, first.digest);
    trader.account = "30.00.01";
    fields.traderNumber = 4;
    EXPECT_NE(entry().digest, first.digest);
    fields.traderNumber = 3;
    fields.oleDate = 46089.0;
    EXPECT_NE(entry().digest, first.digest);
    fields.oleDate = 46088.0;
    EXPECT_EQ(entry().digest, first.digest);
}

// Logs of the first and second schema, as the versions that used them left them: brought
// up to the current one with their batches, their undo and their latest digests, and
// numbered on from their last batch.
class OlderLogTest : public ExportLogFileTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(OlderLogTest, IsBroughtUpWithItsBatchesAndDigests) {
    std::filesystem::copy_file(std::filesystem::path(DRALMOFT_SOURCE_DIR) / "tests/data/logs" / GetParam(),
                               folder / "dralmoft-exports.db");
    ExportLog log;
    const LogStatus opened = log.Open(Path());
    ASSERT_TRUE(opened.ok) << opened.text;
    const auto invoice = [](std::int64_t number) {
        return DocumentIdentity{true, "\xd4\xc9\xcc", "A", number, 2026, "099999999"};
    };
    LoggedDigests year;
    ASSERT_TRUE(log.LatestDigests(2026, 2026, year).ok);
    EXPECT_EQ(year, (LoggedDigests{{invoice(1), 2}, {invoice(2), 3}, {invoice(3), 4}})) << "batch 3 was undone";
    std::vector<ExportBatch> history;
    ASSERT_TRUE(log.History(history).ok);
    ASSERT_EQ(history.size(), 3u);
    EXPECT_TRUE(history[0].Undone());
    EXPECT_EQ(history[2].state, BatchState::Done);
    EXPECT_EQ(history[2].target, u"") << "not kept before";

    UndoResult result = UndoResult::Unknown;
    ASSERT_TRUE(log.Undo(2, "2026-04-07T09:00:00Z", u"u", result).ok);
    ASSERT_EQ(result, UndoResult::Undone);
    ASSERT_TRUE(log.LatestDigests(2026, 2026, year).ok);
    EXPECT_EQ(year, (LoggedDigests{{invoice(1), 1}, {invoice(2), 3}}));
    std::int64_t changes = 0;
    ASSERT_TRUE(log.Changes(changes).ok);
    EXPECT_EQ(changes, 1);
    ExportBatch batch = Batch("2026-04-08T10:00:00Z");
    ASSERT_TRUE(log.Record(batch, std::vector<LoggedDocument>{{invoice(2), "2026-03-31", 7}}).ok);
    EXPECT_EQ(batch.number, 4);
    ASSERT_TRUE(log.LatestDigests(2026, 2026, year).ok);
    EXPECT_EQ(year, (LoggedDigests{{invoice(1), 1}, {invoice(2), 7}}));
}

INSTANTIATE_TEST_SUITE_P(Schemas, OlderLogTest, ::testing::Values("schema1.db", "schema2.db"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param).substr(0, 7);
                         });

}  // namespace
}  // namespace dralmoft
