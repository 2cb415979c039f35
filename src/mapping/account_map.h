#pragma once
// The account assignments: key to ledger account text. Every lookup is a
// look-up-or-create: a missing key is inserted with an empty account, which is never
// written to a file.

#include <map>
#include <string>

#include "mapping/vat_rate_order.h"

namespace dralmoft {

// Key: a client's or supplier's tax id, or an item's name, exactly as the server gives
// it (Windows-1253). Keys are ordered by unsigned bytes, which std::string's compare
// does, and compared exactly: case, accents and blanks all count.
class AccountMap {
public:
    using Entries = std::map<std::string, std::string>;

    // The account of `key`; inserts `key` with an empty account when absent.
    std::string& operator[](const std::string& key) { return Entry(key).second; }
    // The same, with the stored key: entries stay where they are until Clear.
    Entries::value_type& Entry(const std::string& key) { return *m_entries.try_emplace(key).first; }
    // The account of `key` without inserting it; null when absent.
    [[nodiscard]] const std::string* Find(const std::string& key) const {
        const auto entry = m_entries.find(key);
        return entry == m_entries.end() ? nullptr : &entry->second;
    }
    void Erase(const std::string& key) { m_entries.erase(key); }
    void Clear() { m_entries.clear(); }
    [[nodiscard]] std::size_t Size() const { return m_entries.size(); }
    [[nodiscard]] Entries::const_iterator begin() const { return m_entries.begin(); }
    [[nodiscard]] Entries::const_iterator end() const { return m_entries.end(); }

private:
    Entries m_entries;
};

// The rate as the VAT file keeps it: rounded to six decimals ("%f") and read back, so
// that 23.9999999 and 24 are one rate, as they are one line of the file. NaN (which a
// server may send) stays NaN, and infinities stay.
[[nodiscard]] double StoredVatRate(double rate);

// Key: a VAT rate in percent as the file keeps it (StoredVatRate), ordered numerically:
// every rate is looked up, set and removed by its stored form.
class VatAccountMap {
public:
    using Entries = std::map<double, std::string, VatRateOrder>;

    std::string& operator[](double rate) { return m_entries[StoredVatRate(rate)]; }
    [[nodiscard]] const std::string* Find(double rate) const {
        const auto entry = m_entries.find(StoredVatRate(rate));
        return entry == m_entries.end() ? nullptr : &entry->second;
    }
    void Erase(double rate) { m_entries.erase(StoredVatRate(rate)); }
    void Clear() { m_entries.clear(); }
    [[nodiscard]] std::size_t Size() const { return m_entries.size(); }
    [[nodiscard]] bool Empty() const { return m_entries.empty(); }
    [[nodiscard]] Entries::const_iterator begin() const { return m_entries.begin(); }
    [[nodiscard]] Entries::const_iterator end() const { return m_entries.end(); }

private:
    Entries m_entries;
};

}  // namespace dralmoft
