// The run's two threads: the documents reach the file in the server's order, the reading
// side never runs more than the queue ahead of the writing side, and a failure on either
// side, wherever it comes, stops both with everything before it written and no thread
// left behind. Also built under ThreadSanitizer (pipeline_tests).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>

#include "export/export_run.h"
#include "memory_document_source.h"

namespace dralmoft {
namespace {

using test::MemoryDocument;
using test::MemoryDocumentSource;

constexpr std::size_t kDocuments = 3 * ExportRun::kQueuedDocuments;
constexpr std::size_t kRecordsPerDocument = 3;  // one VAT group: its two records and the trader's

// The threads of this process, as Linux counts them.
int ThreadCount() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("Threads:", 0) == 0) return std::stoi(line.substr(8));
    return -1;
}

// Counts the documents the reading side has asked for.
class CountingSource final : public DocumentSource {
public:
    explicit CountingSource(DocumentSource& inner) : m_inner(inner) {}
    std::size_t Open(double from, double to) override { return m_inner.Open(from, to); }
    SourceDocument* DocumentAt(std::size_t index) override {
        ++handedOut;
        return m_inner.DocumentAt(index);
    }
    std::u16string CompanyName() override { return m_inner.CompanyName(); }

    std::atomic<std::size_t> handedOut{0};

private:
    DocumentSource& m_inner;
};

// Keeps the records; may fail a record, hold the first one until the reading side waits on
// a full queue, and notes how far the reading side ran ahead.
class WatchingSink final : public RecordSink {
public:
    explicit WatchingSink(const CountingSource& source) : m_source(source) {}

    FileStatus Write(std::string_view record) override {
        ++m_records;
        const std::size_t document = (m_records - 1) / kRecordsPerDocument + 1;
        if (m_records == 1 && holdUntilFull) {
            // The queue holds documents 1 to kQueuedDocuments once the reader asked for them all.
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (m_source.handedOut < ExportRun::kQueuedDocuments && std::chrono::steady_clock::now() < until)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            sawFull = m_source.handedOut == ExportRun::kQueuedDocuments;
        }
        lead = std::max(lead, m_source.handedOut - document);
        if (m_records == failAt) return FileStatus::Failure("disk full");
        text.append(record);
        return FileStatus::Success();
    }

    void Reset() {
        failAt = 0;
        holdUntilFull = sawFull = false;
        lead = m_records = 0;
        text.clear();
    }

    std::size_t failAt = 0;  // the record (from 1) whose write fails
    bool holdUntilFull = false;
    bool sawFull = false;
    std::size_t lead = 0;  // the most documents read past the one being written
    std::string text;

private:
    const CountingSource& m_source;
    std::size_t m_records = 0;
};

// Raises at a document, as any code of the writing side might.
class ThrowingObserver final : public DocumentObserver {
public:
    std::size_t throwAt = 0;
    bool Keep(const ComposedDocument& document) override {
        if (document.Index() == throwAt) throw std::runtime_error("observer failed");
        return true;
    }
};

class Finishing final : public ExportProgress {
public:
    void Start(std::size_t) override {}
    void Step() override {}
    void Finish() override { finished = true; }
    bool finished = false;
};

class ExportPipelineTest : public testing::Test {
protected:
    ExportPipelineTest() {
        for (std::size_t number = 1; number <= kDocuments; ++number) {
            MemoryDocument document;
            document.number = static_cast<std::int32_t>(number);
            document.lines = {{true, 1.0, 0.0, 24.0, "I1"}};
            m_memory.documents.push_back(document);
        }
        m_memory.logging = false;
        // ThreadSanitizer starts a thread of its own with a process's first thread: not one
        // a run leaves behind.
        std::thread([] {}).join();
    }

    // Runs the period; the failure it raised, if any.
    std::string Run() {
        const int threads = ThreadCount();
        ExportRun run(
            m_source, m_sink, {m_clients, m_suppliers, m_items, m_vat},
            [](double) { return std::string("31/12/2004"); }, &m_progress, &m_observer);
        std::string separator = ";";
        std::string raised;
        m_status = FileStatus::Success();
        try {
            m_status = run.Run(0, 1, separator);
        } catch (const std::exception& error) {
            raised = error.what();
        }
        m_summary = run.Summary();
        m_current = run.CurrentDocument();
        // A joined thread may still be listed for a moment after its join returned (the
        // count before may hold such a one too: the run may leave fewer, never more).
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (ThreadCount() > threads && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_LE(ThreadCount(), threads) << "a thread was left behind";
        return raised;
    }

    // Document `number`'s records are the sink's, whole, in order, and nothing after them.
    void ExpectWrittenUpTo(std::size_t number) const {
        std::size_t at = 0;
        for (std::size_t document = 1; document <= number; ++document) {
            const std::string start = "A" + std::to_string(document) + ";";
            for (std::size_t record = 0; record < kRecordsPerDocument; ++record) {
                ASSERT_EQ(m_sink.text.compare(at, start.size(), start), 0) << "document " << document;
                at = m_sink.text.find("\r\n", at) + 2;
            }
        }
        EXPECT_EQ(at, m_sink.text.size());
        EXPECT_EQ(m_summary.exported, number);
        EXPECT_EQ(m_summary.records, number * kRecordsPerDocument);
    }

    MemoryDocumentSource m_memory;
    CountingSource m_source{m_memory};
    WatchingSink m_sink{m_source};
    ThrowingObserver m_observer;
    Finishing m_progress;
    AccountMap m_clients, m_suppliers, m_items;
    VatAccountMap m_vat;
    FileStatus m_status = FileStatus::Success();
    ExportSummary m_summary;
    std::string m_current;
};

TEST_F(ExportPipelineTest, DocumentsAreWrittenInTheServersOrderWithTheReaderAtMostAQueueAhead) {
    m_sink.holdUntilFull = true;
    EXPECT_EQ(Run(), "");
    ASSERT_TRUE(m_status.ok);
    ExpectWrittenUpTo(kDocuments);
    EXPECT_TRUE(m_sink.sawFull) << "the reader stopped at a full queue";
    EXPECT_LE(m_sink.lead, ExportRun::kQueuedDocuments);
    EXPECT_TRUE(m_progress.finished);
}

// A failure at the first, a middle and the last document, on the side that reads (the
// server), on the side that writes (the file), and raised there (any code of it); and the
// file failing while the reader waits on a full queue.
TEST_F(ExportPipelineTest, AFailureOnEitherSideStopsBothWithWhatCameBeforeItWritten) {
    enum class Side { Server, File, Raised };
    for (const Side side : {Side::Server, Side::File, Side::Raised}) {
        for (const std::size_t at : {std::size_t{1}, kDocuments / 2, kDocuments}) {
            SCOPED_TRACE(testing::Message() << "side " << static_cast<int>(side) << ", document " << at);
            m_memory.failCall.clear();
            m_sink.Reset();
            m_source.handedOut = 0;
            m_observer.throwAt = 0;
            m_progress.finished = false;
            if (side == Side::Server) {
                m_memory.failCall = "Series";
                m_memory.failAt = static_cast<int>(at);
            } else if (side == Side::File) {
                m_sink.failAt = (at - 1) * kRecordsPerDocument + 1;
            } else {
                m_observer.throwAt = at;
            }
            const std::string raised = Run();
            EXPECT_EQ(raised, side == Side::Server   ? "0x80004005 failed: Series"
                              : side == Side::Raised ? "observer failed"
                                                     : "");
            EXPECT_EQ(m_status.ok, side != Side::File);
            ExpectWrittenUpTo(at - 1);
            EXPECT_EQ(m_summary.read, at);
            EXPECT_EQ(m_current, side == Side::Server ? "#" + std::to_string(at) : "X-A" + std::to_string(at));
            EXPECT_FALSE(m_progress.finished);
        }
    }
}

TEST_F(ExportPipelineTest, AFileFailingWhileTheQueueIsFullReleasesTheReader) {
    m_sink.holdUntilFull = true;
    m_sink.failAt = 1;
    EXPECT_EQ(Run(), "");
    EXPECT_TRUE(m_sink.sawFull);
    EXPECT_FALSE(m_status.ok);
    ExpectWrittenUpTo(0);
    EXPECT_EQ(m_current, "X-A1");
    EXPECT_LE(m_source.handedOut, ExportRun::kQueuedDocuments + 1) << "the reader stopped at the failure";
}

}  // namespace
}  // namespace dralmoft
