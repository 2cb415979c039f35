#include "mapping/list_rows.h"

#include <algorithm>
#include <functional>

namespace dralmoft {

void ListRows::Clear() {
    m_rows.clear();
    m_indexed = false;
}

void ListRows::Add(std::string key, std::string name, std::string account, double rate) {
    m_rows.push_back({{std::move(key), std::move(name), std::move(account)}, rate});
    m_indexed = false;
}

void ListRows::SetAccount(std::size_t row, std::string account) {
    if (row >= m_rows.size()) return;
    m_rows[row].texts[2] = std::move(account);
    m_indexed = false;
}

void ListRows::Index() const {
    m_index.clear();
    m_starts.clear();
    m_starts.reserve(m_rows.size());
    for (const Row& row : m_rows) {
        m_starts.push_back(m_index.size());
        for (const std::string& text : row.texts) m_index.append(text).push_back('\0');
    }
    m_indexed = true;
}

std::optional<std::size_t> ListRows::Find(std::string_view text) const {
    if (m_rows.empty()) return std::nullopt;
    if (text.empty()) return 0;
    if (text.find('\0') != std::string_view::npos) return std::nullopt;  // no text holds one
    if (!m_indexed) Index();
    const auto found =
        std::search(m_index.begin(), m_index.end(), std::boyer_moore_horspool_searcher(text.begin(), text.end()));
    if (found == m_index.end()) return std::nullopt;
    const auto offset = static_cast<std::size_t>(found - m_index.begin());
    return static_cast<std::size_t>(std::upper_bound(m_starts.begin(), m_starts.end(), offset) - m_starts.begin()) - 1;
}

}  // namespace dralmoft
