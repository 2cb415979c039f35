#pragma once
// The accounts of a run, as the four tables stand when it begins: hashed views of the
// tables, made on the tables' own thread, read by the thread that writes the records
// (the window's tables are never touched from another thread). A year's run looks up an
// item, a VAT rate and a trader for every document: the ordered tables' string compares
// were a tenth of the run.
//
// The tables' own rule is kept: a key looked up and missing is inserted into its table
// with an empty account. The lookup notes it, and InsertMissing inserts it after the run,
// on the tables' thread.

#include <cstdint>
#include <memory_resource>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "mapping/account_map.h"

namespace dralmoft {

class AccountLookup {
public:
    // The table must stay as it is until InsertMissing.
    explicit AccountLookup(const AccountMap& table);

    // The account of `key`; empty when the table has none.
    [[nodiscard]] std::string_view operator[](std::string_view key);
    // The keys looked up that the table lacks, into the table.
    void InsertMissing(AccountMap& table) const;

private:
    // The nodes of both, one for each key of the table and two for each missing one: taken
    // from pools of their own. Under Wine each block from the shared heap may cost a walk of
    // its free list, which the reading thread's many small blocks make long.
    std::pmr::unsynchronized_pool_resource m_pool;
    std::pmr::unordered_map<std::string_view, std::string_view> m_accounts{&m_pool};  // views of the table
    std::pmr::unordered_set<std::pmr::string> m_missing{&m_pool};  // node-based: m_accounts views its keys
};

class VatAccountLookup {
public:
    // The table must stay as it is until InsertMissing.
    explicit VatAccountLookup(const VatAccountMap& table);

    // The account of the exact rate a document's group has: the table keys a rate by its
    // stored form (rounded through "%f"), which costs a format and a parse, so each exact
    // rate is resolved once.
    [[nodiscard]] std::string_view operator[](double rate);
    void InsertMissing(VatAccountMap& table) const;

private:
    std::unordered_map<std::uint64_t, std::string_view> m_stored;  // by the stored rate's bits
    std::unordered_map<std::uint64_t, std::string_view> m_exact;   // by the rate's own bits
    std::vector<double> m_missing;
};

}  // namespace dralmoft
