#pragma once
// The accounts a window set since it last loaded a table: what its next save applies to
// the file as it is then, so that a save never undoes what another window or program
// wrote in the meantime. Entries that a look-up created are never changes.
//
// A change may be conditional: applied only while the file still holds what the window saw
// under the key (an account given to a key that had none is not to overwrite one another
// user gave it meanwhile), and, for a trader's own account, while no other key holds it.

#include <map>
#include <string>
#include <vector>

#include "mapping/account_map.h"
#include "mapping/mapping_format.h"

namespace dralmoft {

// A conditional change the file did not take.
struct ChangeLeft {
    enum class Why { Changed, Taken };
    std::string key;  // the text key (Windows-1253), or the rate's
    double rate = 0.0;
    Why why = Why::Changed;
    // Changed: what the file holds under the key now. Taken: the key that holds the account.
    std::string holder;

    friend bool operator==(const ChangeLeft&, const ChangeLeft&) = default;
};

class AccountChanges {
public:
    // A blank account removes the key, as a save skips blank accounts.
    void Set(const std::string& key, std::string account) { m_text[key] = std::move(account); }
    void Set(double rate, std::string account) { m_vat[StoredVatRate(rate)] = std::move(account); }
    // Sets `account` only while the file holds `expected` under the key ("" for none) and,
    // when `unique`, no other key holds `account`.
    void SetIfStill(const std::string& key, std::string expected, std::string account, bool unique = false);
    void SetIfStill(double rate, std::string expected, std::string account);
    void Clear() {
        m_text.clear();
        m_vat.clear();
        m_textConditions.clear();
        m_vatConditions.clear();
    }
    [[nodiscard]] bool Empty() const { return m_text.empty() && m_vat.empty(); }

    // Applies the changes to the table as the file holds it; answers the conditional ones
    // it left, in key order.
    std::vector<ChangeLeft> ApplyTo(AccountMap& table) const;
    std::vector<ChangeLeft> ApplyTo(VatAccountMap& table) const;

private:
    struct Condition {
        std::string expected;
        bool unique = false;
    };
    template <class Key, class Table>
    static void Apply(const Key& key, const std::string& account, Table& table) {
        if (TrimSpace(account).empty()) table.Erase(key);
        else table[key] = account;
    }

    std::map<std::string, std::string> m_text;
    VatAccountMap::Entries m_vat;
    std::map<std::string, Condition> m_textConditions;
    std::map<double, std::string, VatRateOrder> m_vatConditions;
};

}  // namespace dralmoft
