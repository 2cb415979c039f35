#include "export/export_run.h"

#include <exception>
#include <thread>

#include "base/bounded_queue.h"

namespace dralmoft {
namespace {

// The second thread's side of a run: takes the read elements in order until the queue is
// closed and drained, or until a write fails or something raises, which stops the queue.
class WritingSide {
public:
    WritingSide(DocumentWriter& writer, BoundedQueue<ReadElement>& queue, std::string& separator)
        : m_writer(writer), m_queue(queue), m_separator(separator) {}

    void operator()() noexcept {
        const ReadElement* element = nullptr;
        try {
            while ((element = m_queue.Front()) != nullptr) {
                m_status = m_writer.Take(*element, m_separator);
                if (!m_status.ok) break;
                m_queue.Pop();
            }
        } catch (...) {
            m_failure = std::current_exception();
        }
        if (!Stopped()) return;
        if (element) m_stoppedAt = element->skipped ? element->reference : element->fields.reference;
        m_queue.Stop();
    }

    // Once the thread ended: whether it stopped the run, where, and why.
    [[nodiscard]] bool Stopped() const { return m_failure || !m_status.ok; }
    [[nodiscard]] const std::string& StoppedAt() const { return m_stoppedAt; }
    [[nodiscard]] FileStatus Result() const {
        if (m_failure) std::rethrow_exception(m_failure);
        return m_status;
    }

private:
    DocumentWriter& m_writer;
    BoundedQueue<ReadElement>& m_queue;
    std::string& m_separator;
    FileStatus m_status = FileStatus::Success();
    std::exception_ptr m_failure;
    std::string m_stoppedAt;
};

}  // namespace

ExportRun::ExportRun(DocumentSource& source, RecordSink& sink, AccountTables accounts, DateFormatter formatDate,
                     ExportProgress* progress, DocumentObserver* observer, RunWatcher* watcher)
    : m_source(source),
      m_sink(sink),
      m_tables(accounts),
      m_formatDate(std::move(formatDate)),
      m_progress(progress),
      m_observer(observer),
      m_watcher(watcher) {}

FileStatus ExportRun::Run(double from, double to, std::string& separator) {
    m_summary = {};
    m_current.clear();
    // The tables as they are now: each run looks them up afresh.
    AccountLookups accounts(m_tables);
    if (m_watcher) m_watcher->Started();
    const std::size_t elements = m_source.Open(from, to);
    if (m_progress) m_progress->Start(elements);

    DocumentReader reader(m_source, m_formatDate);
    DocumentWriter writer(m_sink, accounts, m_observer, m_watcher);
    BoundedQueue<ReadElement> queue(kQueuedDocuments);
    WritingSide writing(writer, queue, separator);
    std::size_t reading = 0;  // the element being read, from 1
    std::exception_ptr readFailure;
    {
        std::thread thread(std::ref(writing));
        try {
            for (std::size_t index = 0; index < elements; ++index) {
                if (m_progress) m_progress->Step();
                reading = index + 1;
                ReadElement* const element = queue.Back();
                if (!element) break;  // the writing side stopped
                reader.Read(index, *element);
                queue.Push();
            }
        } catch (...) {
            readFailure = std::current_exception();
        }
        queue.Close();
        thread.join();
    }

    // What the tables lacked goes into them, as their lookups do (with an empty account).
    accounts.InsertMissing(m_tables);
    m_summary = writer.Summary();
    // The writing side stops at an element the reading side had passed: its failure came first.
    if (writing.Stopped()) {
        m_current = writing.StoppedAt();
        return writing.Result();
    }
    if (readFailure) {
        m_summary.read = reading;
        m_current = reader.Current();
        std::rethrow_exception(readFailure);
    }
    if (m_progress) m_progress->Finish();
    return FileStatus::Success();
}

}  // namespace dralmoft
