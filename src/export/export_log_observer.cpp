#include "export/export_log_observer.h"

#include "export/document_digest.h"

namespace dralmoft {

ExportLogObserver::ExportLogObserver(LoggedDigests logged, bool onlyNew)
    : m_logged(std::move(logged)), m_onlyNew(onlyNew) {}

bool ExportLogObserver::Keep(const ComposedDocument& document) {
    LoggedDocument entry = LogEntryOf(document);
    const auto logged = m_logged.find(entry.identity);
    const bool already = logged != m_logged.end() && logged->second == entry.digest;
    if (m_met.insert(entry.identity).second) {
        if (logged == m_logged.end()) ++m_counts.fresh;
        else if (already) ++m_counts.already;
        else ++m_counts.changed;
        if (!(m_onlyNew && already)) m_entries.push_back(std::move(entry));
    }
    return !(m_onlyNew && already);
}

}  // namespace dralmoft
