#pragma once
// An export seen by the log: every document written becomes an entry for the batch (once,
// however often the run meets it), and each is counted as new, changed (the log holds it
// with other records: amended since) or already exported. Asked for only what is new, it
// leaves the already exported documents out of the file.

#include <cstddef>
#include <unordered_set>
#include <vector>

#include "export/document_observer.h"
#include "log/document_digest.h"
#include "log/export_log.h"

namespace dralmoft {

struct LogCounts {
    std::size_t fresh = 0;
    std::size_t changed = 0;
    std::size_t already = 0;
};

// How the log holds a document the run composed.
enum class LoggedState : std::uint8_t {
    Changed,          // with other records: amended since it was exported
    AlreadyExported,  // as it is
};

// Hears of each document the log already holds, once, as the run meets it (the period
// check lists them).
class LoggedListener {
public:
    virtual ~LoggedListener() = default;
    virtual void Logged(LoggedState state, const ComposedDocument& document) = 0;
};

class ExportLogObserver final : public DocumentObserver {
public:
    // `logged`: what the log holds for the period's years (ExportLog::LatestDigests).
    ExportLogObserver(LoggedDigests logged, bool onlyNew, LoggedListener* listener = nullptr);

    [[nodiscard]] bool Keep(const ComposedDocument& document) override;
    [[nodiscard]] bool WantsDigests() const override { return true; }

    // The documents written, in the order first met.
    [[nodiscard]] const std::vector<LoggedDocument>& Entries() const { return m_entries; }
    [[nodiscard]] const LogCounts& Counts() const { return m_counts; }

private:
    LoggedDigests m_logged;
    bool m_onlyNew;
    LoggedListener* m_listener;
    LogEntryMaker m_maker;
    std::vector<LoggedDocument> m_entries;
    std::unordered_set<DocumentIdentity, DocumentIdentityHash> m_met;
    LogCounts m_counts;
};

}  // namespace dralmoft
