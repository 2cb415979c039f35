#include "export/account_lookup.h"

#include <bit>
#include <cmath>
#include <limits>

namespace dralmoft {
namespace {

// The bits of a stored rate, one key for what the table holds as one: every NaN, and
// both zeros.
std::uint64_t StoredBits(double stored) {
    if (std::isnan(stored)) stored = std::numeric_limits<double>::quiet_NaN();
    if (stored == 0.0) stored = 0.0;
    return std::bit_cast<std::uint64_t>(stored);
}

}  // namespace

AccountLookup::AccountLookup(const AccountMap& table) {
    m_accounts.reserve(table.Size());
    for (const auto& [key, account] : table) m_accounts.emplace(key, account);
}

std::string_view AccountLookup::operator[](std::string_view key) {
    if (const auto known = m_accounts.find(key); known != m_accounts.end()) return known->second;
    const std::pmr::string& stored = *m_missing.emplace(key).first;
    m_accounts.emplace(stored, std::string_view());
    return {};
}

void AccountLookup::InsertMissing(AccountMap& table) const {
    for (const std::pmr::string& key : m_missing) (void)table.Entry(std::string(key));
}

VatAccountLookup::VatAccountLookup(const VatAccountMap& table) {
    for (const auto& [rate, account] : table) m_stored.emplace(StoredBits(rate), account);
}

std::string_view VatAccountLookup::operator[](double rate) {
    const auto bits = std::bit_cast<std::uint64_t>(rate);
    if (const auto known = m_exact.find(bits); known != m_exact.end()) return known->second;
    const double stored = StoredVatRate(rate);
    std::string_view account;
    if (const auto known = m_stored.find(StoredBits(stored)); known != m_stored.end()) {
        account = known->second;
    } else {
        m_stored.emplace(StoredBits(stored), std::string_view());
        m_missing.push_back(stored);
    }
    m_exact.emplace(bits, account);
    return account;
}

void VatAccountLookup::InsertMissing(VatAccountMap& table) const {
    for (const double rate : m_missing) (void)table[rate];
}

}  // namespace dralmoft
