#include "log/export_log_observer.h"

#include "log/document_digest.h"

namespace dralmoft {

ExportLogObserver::ExportLogObserver(LoggedDigests logged, bool onlyNew, LoggedListener* listener)
    : m_logged(std::move(logged)), m_onlyNew(onlyNew), m_listener(listener) {}

bool ExportLogObserver::Keep(const ComposedDocument& document) {
    LoggedDocument entry = m_maker.Make(document);
    const auto logged = m_logged.find(entry.identity);
    const bool already = logged != m_logged.end() && logged->second == entry.digest;
    if (m_met.insert(entry.identity).second) {
        if (logged == m_logged.end()) {
            ++m_counts.fresh;
        } else {
            ++(already ? m_counts.already : m_counts.changed);
            if (m_listener) m_listener->Logged(already ? LoggedState::AlreadyExported : LoggedState::Changed, document);
        }
        if (!(m_onlyNew && already)) m_entries.push_back(std::move(entry));
    }
    return !(m_onlyNew && already);
}

}  // namespace dralmoft
