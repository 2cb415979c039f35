#include "export/account_index.h"

namespace dralmoft {

std::string& AccountIndex::operator[](const std::string& key) {
    if (const auto known = m_index.find(key); known != m_index.end()) return *known->second;
    auto& [storedKey, account] = m_table.Entry(key);
    m_index.emplace(storedKey, &account);
    return account;
}

}  // namespace dralmoft
