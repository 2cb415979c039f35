#pragma once
// The accounts a window set since it last loaded a table: what its next save applies to
// the file as it is then, so that a save never undoes what another window or program
// wrote in the meantime. Entries that a look-up created are never changes.

#include <map>
#include <string>

#include "mapping/account_map.h"
#include "mapping/mapping_format.h"

namespace dralmoft {

class AccountChanges {
public:
    // A blank account removes the key, as a save skips blank accounts.
    void Set(const std::string& key, std::string account) { m_text[key] = std::move(account); }
    void Set(double rate, std::string account) { m_vat[StoredVatRate(rate)] = std::move(account); }
    void Clear() {
        m_text.clear();
        m_vat.clear();
    }
    [[nodiscard]] bool Empty() const { return m_text.empty() && m_vat.empty(); }

    void ApplyTo(AccountMap& table) const { Apply(m_text, table); }
    void ApplyTo(VatAccountMap& table) const { Apply(m_vat, table); }

private:
    template <class Changes, class Table>
    static void Apply(const Changes& changes, Table& table) {
        for (const auto& [key, account] : changes) {
            if (TrimSpace(account).empty()) table.Erase(key);
            else table[key] = account;
        }
    }

    std::map<std::string, std::string> m_text;
    VatAccountMap::Entries m_vat;
};

}  // namespace dralmoft
