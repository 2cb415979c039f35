#pragma once
// A hashed index over an account table for the length of one export run: a year's run
// looks up an item, a VAT rate and a trader for every document, and the ordered table's
// string compares were a tenth of the run. Lookups keep the table's semantics: a missing
// key is inserted into the table with an empty account.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "mapping/account_map.h"

namespace dralmoft {

class AccountIndex {
public:
    // The table must not be cleared while the index is in use.
    explicit AccountIndex(AccountMap& table) : m_table(table) {}

    std::string& operator[](const std::string& key);
    // Forgets what was indexed (the table may have changed since).
    void Reset() { m_index.clear(); }

private:
    AccountMap& m_table;
    std::unordered_map<std::string_view, std::string*> m_index;  // keys view the table's own
};

// The same for the VAT table, by the exact rate a document's group has: the table itself
// looks a rate up by its stored form (rounded through "%f"), which costs a format and a
// parse per group of every document.
class VatAccountIndex {
public:
    // The table must not be cleared while the index is in use.
    explicit VatAccountIndex(VatAccountMap& table) : m_table(table) {}

    std::string& operator[](double rate);
    void Reset() { m_index.clear(); }

private:
    VatAccountMap& m_table;
    std::unordered_map<std::uint64_t, std::string*> m_index;  // by the rate's bits
};

}  // namespace dralmoft
