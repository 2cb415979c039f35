#include "export/account_index.h"

#include <bit>

namespace dralmoft {

std::string& AccountIndex::operator[](const std::string& key) {
    if (const auto known = m_index.find(key); known != m_index.end()) return *known->second;
    auto& [storedKey, account] = m_table.Entry(key);
    m_index.emplace(storedKey, &account);
    return account;
}

std::string& VatAccountIndex::operator[](double rate) {
    const auto bits = std::bit_cast<std::uint64_t>(rate);
    if (const auto known = m_index.find(bits); known != m_index.end()) return *known->second;
    std::string& account = m_table[rate];
    m_index.emplace(bits, &account);
    return account;
}

}  // namespace dralmoft
