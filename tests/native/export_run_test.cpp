#include "export/export_run.h"

#include <gtest/gtest.h>

#include <cmath>

#include "data/atomic_save.h"
#include "export/journal_writer.h"
#include "memory_document_source.h"
#include "memory_file_system.h"

namespace dralmoft {
namespace {

using test::MemoryDocument;
using test::MemoryDocumentSource;
using test::MemoryLine;

class Collected final : public RecordSink {
public:
    std::string text;
    int failAt = 0;  // the record (from 1) whose write fails
    FileStatus Write(std::string_view record) override {
        if (--failAt == 0) return FileStatus::Failure("disk full");
        text.append(record);
        return FileStatus::Success();
    }
};

class Steps final : public ExportProgress {
public:
    std::size_t range = 0;
    std::size_t steps = 0;
    std::size_t stepsWhenFinished = 0;
    void Start(std::size_t elements) override { range = elements; }
    void Step() override { ++steps; }
    void Finish() override { stepsWhenFinished = steps; }
};

std::string Day(double date) { return date == 38352.0 ? "31/12/2004" : "day " + std::to_string(date); }

class ExportRunTest : public testing::Test {
protected:
    FileStatus Run(std::string separator = ";") {
        ExportRun run(m_source, m_sink, {m_clients, m_suppliers, m_items, m_vat}, Day, &m_progress);
        const FileStatus status = run.Run(38000, 39000, separator);
        m_separator = separator;
        m_summary = run.Summary();
        return status;
    }

    MemoryDocumentSource m_source;
    Collected m_sink;
    Steps m_progress;
    AccountMap m_clients, m_suppliers, m_items;
    VatAccountMap m_vat;
    std::string m_separator;
    ExportSummary m_summary;
};

TEST_F(ExportRunTest, TheTwoExampleDocuments) {
    m_vat[19.0] = "K;54.01;54.02";
    m_items["I1"] = "64.00;70.00";
    m_clients["T1"] = "30.00.001";
    m_suppliers["T1"] = "50.00.001";
    MemoryDocument sale;
    sale.lines = {{true, 100.0, 0.0, 19.0, "I1"}};
    MemoryDocument purchase = sale;
    purchase.kind = 0;
    m_source.documents = {sale, purchase};
    ASSERT_TRUE(Run().ok);
    EXPECT_EQ(m_sink.text,
              "A12;13;1;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;54.02;1;19.00;X-A12;X-A12;;;;;;\r\n"
              "A12;13;1;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;70.00;1;100.00;X-A12;X-A12;;;;;;\r\n"
              "A12;13;1;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;30.00.001;0;119.00;X-A12;X-A12;;;;;;\r\n"
              "A12;12;2;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;54.01;0;19.00;X-A12;X-A12;;;;;;\r\n"
              "A12;12;2;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;64.00;0;100.00;X-A12;X-A12;;;;;;\r\n"
              "A12;12;2;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;50.00.001;1;119.00;X-A12;X-A12;;;;;;\r\n");
    EXPECT_EQ(m_summary.records, 6u);
    EXPECT_EQ(m_summary.exported, 2u);
}

TEST_F(ExportRunTest, LinesGroupByExactPercentInAscendingOrder) {
    m_items["first"] = "20;70";
    m_items["second"] = "21;71";
    MemoryDocument document;
    document.lines = {{true, 10.0, 1.0, 24.0, "first"},
                      {true, 5.0, 0.0, 13.0, "second"},
                      {true, 20.0, 0.0, 24.0, "second"},
                      {true, 1.0, 0.0, 13.000001, "first"},
                      {false, 99.0, 0.0, 24.0, "not a line"}};
    m_source.documents = {document};
    ASSERT_TRUE(Run().ok);
    // 13, then 13.000001, then 24 (9 + 20 under the first line's item).
    EXPECT_EQ(m_sink.text,
              "A12;13;1;345;T1;31/12/2004;X-A12;X-A12;5.00;0.65;;1;0.65;X-A12;X-A12;;;;;;\r\n"
              "A12;13;1;345;T1;31/12/2004;X-A12;X-A12;5.00;0.65;71;1;5.00;X-A12;X-A12;;;;;;\r\n"
              "A12;13;1;345;T1;31/12/2004;X-A12;X-A12;1.00;0.13;;1;0.13;X-A12;X-A12;;;;;;\r\n"
              "A12;13;1;345;T1;31/12/2004;X-A12;X-A12;1.00;0.13;70;1;1.00;X-A12;X-A12;;;;;;\r\n"
              "A12;13;1;345;T1;31/12/2004;X-A12;X-A12;29.00;6.96;;1;6.96;X-A12;X-A12;;;;;;\r\n"
              "A12;13;1;345;T1;31/12/2004;X-A12;X-A12;29.00;6.96;70;1;29.00;X-A12;X-A12;;;;;;\r\n"
              "A12;13;1;345;T1;31/12/2004;X-A12;X-A12;35.00;7.74;;0;42.74;X-A12;X-A12;;;;;;\r\n");
}

TEST_F(ExportRunTest, TraderAmountsComeFromUnroundedSums) {
    MemoryDocument document;
    document.lines = {{true, 10.004, 0.0, 0.0, "a"}, {true, 10.004, 0.0, 10.0, "b"}};
    m_source.documents = {document};
    ASSERT_TRUE(Run().ok);
    const std::string trader = m_sink.text.substr(m_sink.text.rfind("\r\n", m_sink.text.size() - 3) + 2);
    EXPECT_EQ(trader, "A12;13;1;345;T1;31/12/2004;X-A12;X-A12;20.01;1.00;;0;21.01;X-A12;X-A12;;;;;;\r\n");
    EXPECT_NE(m_sink.text.find(";10.00;0.00;;1;10.00;"), std::string::npos);
    EXPECT_NE(m_sink.text.find(";10.00;1.00;;1;10.00;"), std::string::npos);
}

TEST_F(ExportRunTest, EachRunLooksUpTheTablesAsTheyAreThen) {
    // The window keeps one run object while the user reloads or edits the tables.
    m_items["I1"] = "64.00;70.00";
    m_clients["T1"] = "30.00.001";
    m_vat[24.0] = "54.00;54.00.0024;54.00.1024";
    MemoryDocument sale;
    sale.lines = {{true, 100.0, 0.0, 24.0, "I1"}};
    m_source.documents = {sale};
    ExportRun run(m_source, m_sink, {m_clients, m_suppliers, m_items, m_vat}, Day);
    std::string separator = ";";
    ASSERT_TRUE(run.Run(0, 1, separator).ok);
    EXPECT_NE(m_sink.text.find(";70.00;1;100.00;"), std::string::npos);
    EXPECT_NE(m_sink.text.find(";54.00.1024;1;24.00;"), std::string::npos);
    EXPECT_NE(m_sink.text.find(";30.00.001;0;124.00;"), std::string::npos);
    m_items.Clear();
    m_clients.Clear();
    m_vat.Clear();
    m_items["I1"] = "64.10;70.10";
    m_vat[23.9999999] = "54.00;54.00.0023;54.00.1023";  // the same rate, as the file keeps it
    m_sink.text.clear();
    ASSERT_TRUE(run.Run(0, 1, separator).ok);
    EXPECT_NE(m_sink.text.find(";70.10;1;100.00;"), std::string::npos) << m_sink.text;
    EXPECT_NE(m_sink.text.find(";54.00.1023;1;24.00;"), std::string::npos) << m_sink.text;
    EXPECT_NE(m_sink.text.find(";;0;124.00;"), std::string::npos) << "the client's account is gone";
    EXPECT_EQ(m_clients.Size(), 1u);
}

TEST_F(ExportRunTest, SkippedDocumentsGiveNoRecordAndAreCounted) {
    MemoryDocument notCommercial;
    notCommercial.commercial = false;
    MemoryDocument noTrader;
    noTrader.hasTrader = false;
    noTrader.lines = {{true, 1.0, 0.0, 24.0, "a"}};
    MemoryDocument noLines;
    noLines.lines = {{false, 1.0, 0.0, 24.0, "a"}};
    m_source.documents = {notCommercial, noTrader, noLines, MemoryDocument{}};
    ASSERT_TRUE(Run().ok);
    EXPECT_EQ(m_sink.text, "");
    EXPECT_EQ(m_summary.read, 4u);
    EXPECT_EQ(m_summary.notCommercial, 1u);
    EXPECT_EQ(m_summary.noTrader, 1u);
    EXPECT_EQ(m_summary.noLines, 2u);
    EXPECT_EQ(m_progress.range, 4u);
    EXPECT_EQ(m_progress.steps, 4u) << "the bar steps for skipped elements too";
    EXPECT_EQ(m_progress.stepsWhenFinished, 4u) << "the bar is full once the run went through the period";
}

TEST_F(ExportRunTest, ReadsEachDocumentInTheServersOrder) {
    MemoryDocument document;
    document.lines = {{true, 1.0, 0.0, 24.0, "a"}, {true, 2.0, 0.0, 24.0, "b"}};
    MemoryDocument noTrader;
    noTrader.hasTrader = false;
    m_source.documents = {document, noTrader};
    ASSERT_TRUE(Run().ok);
    const std::vector<std::string> expected = {"Open 38000.000000 39000.000000",
                                               "Document 0",
                                               "Series",
                                               "Number",
                                               "Name",
                                               "Trader",
                                               "Lines",
                                               "Date",
                                               "Line 0",
                                               "NewGroup",
                                               "ItemName",
                                               "SetNetValue",
                                               "Line 1",
                                               "SetNetValue",  // b joins a's group
                                               "Kind",
                                               "TaxId",
                                               "TraderNumber",
                                               "Document 1",
                                               "Series",
                                               "Number",
                                               "Name",
                                               "Trader"};
    EXPECT_EQ(m_source.log, expected);
}

TEST_F(ExportRunTest, EmptySeparatorBecomesSemicolonAndLookupsAddEmptyAccounts) {
    MemoryDocument document;
    document.lines = {{true, 1.0, 0.0, 6.5, "new item"}};
    m_source.documents = {document};
    ASSERT_TRUE(Run("").ok);
    EXPECT_EQ(m_separator, ";");
    EXPECT_EQ(m_sink.text.substr(0, 4), "A12;");
    EXPECT_EQ(m_items.Size(), 1u);
    EXPECT_EQ(m_vat.Size(), 1u);
    EXPECT_EQ(m_clients.Size(), 1u);
    EXPECT_EQ(m_suppliers.Size(), 0u);
}

TEST_F(ExportRunTest, ServerFailureNamesTheDocumentBeingRead) {
    MemoryDocument first;
    first.lines = {{true, 1.0, 0.0, 24.0, "a"}};
    MemoryDocument second = first;
    second.name = "ΤΙΜ";
    second.series = "Β";
    second.number = 7;
    m_source.documents = {first, second};
    m_source.failCall = "ItemName";
    m_source.failAt = 2;
    ExportRun run(m_source, m_sink, {m_clients, m_suppliers, m_items, m_vat}, Day);
    std::string separator = ";";
    try {
        (void)run.Run(0, 1, separator);
        FAIL() << "the failure was swallowed";
    } catch (const ServerError& error) {
        EXPECT_EQ(error.Text(), "failed: ItemName");
    }
    EXPECT_EQ(run.CurrentDocument(), "ΤΙΜ-Β7");
    EXPECT_EQ(run.Summary().exported, 1u);
}

// A date that is no date fails the export on its document, as the server failing there
// would: it never reaches the table of the run's dates.
TEST_F(ExportRunTest, ADocumentWithoutAValidDateStopsTheRunOnIt) {
    MemoryDocument first;
    first.lines = {{true, 1.0, 0.0, 24.0, "a"}};
    for (const double invalid : {std::nan(""), 1e300, -1e7}) {
        MemoryDocument second = first;
        second.name = "\xD4\xC9\xCC";  // "ΤΙΜ"
        second.date = invalid;
        m_source.documents = {first, second};
        m_sink.text.clear();
        ExportRun run(m_source, m_sink, {m_clients, m_suppliers, m_items, m_vat}, Day);
        std::string separator = ";";
        try {
            (void)run.Run(0, 1, separator);
            ADD_FAILURE() << "a document without a valid date was exported";
        } catch (const ServerError& error) {
            EXPECT_EQ(error.Status(), kStatusInvalidArgument);
        }
        EXPECT_EQ(run.CurrentDocument(), "\xD4\xC9\xCC-A12");
        EXPECT_EQ(run.Summary().exported, 1u);
    }
}

TEST_F(ExportRunTest, FailureBeforeTheTextsAreKnownNamesThePosition) {
    m_source.documents = {MemoryDocument{}, MemoryDocument{}};
    m_source.failCall = "Series";
    m_source.failAt = 2;
    ExportRun run(m_source, m_sink, {m_clients, m_suppliers, m_items, m_vat}, Day);
    std::string separator = ";";
    EXPECT_THROW((void)run.Run(0, 1, separator), ServerError);
    EXPECT_EQ(run.CurrentDocument(), "#2");
}

TEST_F(ExportRunTest, FailedWriteStopsTheRun) {
    MemoryDocument document;
    document.lines = {{true, 1.0, 0.0, 24.0, "a"}};
    m_source.documents = {document, document};
    m_sink.failAt = 2;
    const FileStatus status = Run();
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.text, "disk full");
    EXPECT_EQ(m_summary.records, 1u);
}

TEST(JournalWriter, ConvertsEachRecordAsTheChoiceSaysThenReplacesTheTarget) {
    for (const bool keep : {true, false}) {
        test::MemoryFileSystem files;
        files.files[u"out.txt"] = "earlier export";
        AtomicFileWriter file(files, u"out.txt");
        JournalWriter writer(files, file, keep);
        ASSERT_TRUE(writer.Open().ok);
        ASSERT_TRUE(writer.Write("\xD6\xD0\xC1;1\r\n").ok);  // "ΦΠΑ"
        ASSERT_TRUE(writer.Write("\xD6\xD0\xC1;2\r\n").ok);
        EXPECT_EQ(files.files.at(u"out.txt"), "earlier export") << "nothing reaches the target before the end";
        ASSERT_TRUE(file.Finish().ok);
        EXPECT_EQ(files.files.at(u"out.txt"),
                  keep ? "\xD6\xD0\xC1;1\r\n\xD6\xD0\xC1;2\r\n" : "\x94\x8F\x80;1\r\n\x94\x8F\x80;2\r\n");
        EXPECT_EQ(files.files.size(), 1u);
    }
}

}  // namespace
}  // namespace dralmoft
