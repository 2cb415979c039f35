#include "mapping/account_changes.h"

#include <unordered_map>

namespace dralmoft {
namespace {

std::string Held(const std::string* account) { return account == nullptr ? std::string() : *account; }

}  // namespace

void AccountChanges::SetIfStill(const std::string& key, std::string expected, std::string account, bool unique) {
    m_text[key] = std::move(account);
    m_textConditions[key] = Condition{std::move(expected), unique};
}

void AccountChanges::SetIfStill(double rate, std::string expected, std::string account) {
    m_vat[StoredVatRate(rate)] = std::move(account);
    m_vatConditions[StoredVatRate(rate)] = std::move(expected);
}

std::vector<ChangeLeft> AccountChanges::ApplyTo(AccountMap& table) const {
    // Who holds each account, when some change must be the only one to.
    std::unordered_map<std::string, std::string> holders;
    for (const auto& [key, condition] : m_textConditions)
        if (condition.unique) {
            for (const auto& [held, account] : table) holders.try_emplace(account, held);
            break;
        }
    std::vector<ChangeLeft> left;
    for (const auto& [key, account] : m_text) {
        const auto condition = m_textConditions.find(key);
        if (condition != m_textConditions.end()) {
            const std::string now = Held(table.Find(key));
            if (now != condition->second.expected) {
                left.push_back({key, 0.0, ChangeLeft::Why::Changed, now});
                continue;
            }
            if (condition->second.unique) {
                const auto holder = holders.find(account);
                if (holder != holders.end() && holder->second != key) {
                    left.push_back({key, 0.0, ChangeLeft::Why::Taken, holder->second});
                    continue;
                }
                holders[account] = key;
            }
        }
        Apply(key, account, table);
    }
    return left;
}

std::vector<ChangeLeft> AccountChanges::ApplyTo(VatAccountMap& table) const {
    std::vector<ChangeLeft> left;
    for (const auto& [rate, account] : m_vat) {
        const auto condition = m_vatConditions.find(rate);
        if (condition != m_vatConditions.end()) {
            const std::string now = Held(table.Find(rate));
            if (now != condition->second) {
                left.push_back({FormatVatKey(rate), rate, ChangeLeft::Why::Changed, now});
                continue;
            }
        }
        Apply(rate, account, table);
    }
    return left;
}

}  // namespace dralmoft
