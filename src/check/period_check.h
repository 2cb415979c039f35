#pragma once
// The period check: goes through each document an export run writes, as it writes it,
// and gathers what the ledger package would meet in the file (see CheckCode) and the
// period's totals. Portable.
//
// One row per (document, code, key), in the order of the records and of their fields.
// The keys: the tax id as looked up (client-account, supplier-account), the item's name
// (item-account), the rate as RateText writes it (vat-account), the text as the server
// gave it or the account text (unencodable), the field's text (separator-in-field,
// line-break-in-field), the amount as written (bad-amount), the trader's amount and the
// sum of the group records' amounts (rounding, "21.01 21.00"), and nothing for skips.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory_resource>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "check/check_report.h"
#include "export/document_observer.h"

namespace dralmoft {

class PeriodCheck final : public RunWatcher {
public:
    // `keepCodePage` is the export's own choice: false checks the texts against the OEM
    // code page as well.
    explicit PeriodCheck(bool keepCodePage = true);
    PeriodCheck(const PeriodCheck&) = delete;  // its key set points into its report
    PeriodCheck& operator=(const PeriodCheck&) = delete;

    // Forgets an earlier run.
    void Started() override;
    // A skipped element is a row of information with no key.
    void Skipped(SkipReason reason, std::size_t index, std::string_view reference, double oleDate) override;
    // The document's records are checked field by field and added to the totals.
    void Written(const ComposedDocument& document, std::string_view separator) override;
    // The export log holds the document: Changed or AlreadyExported. Told before it is
    // written, or instead when an export of only what is new leaves it out.
    void Logged(CheckCode code, const ComposedDocument& document);

    // The report of the run so far, its accounts in byte order; valid until the check
    // goes on.
    [[nodiscard]] const CheckReport& Report();
    // The report, taken out of the check: the check must be started again before it
    // goes on.
    [[nodiscard]] CheckReport TakeReport();

private:
    // Checks each field as the record layout walks it.
    class FieldChecker;
    // What an empty account on the record being checked means: its code, and the key (1253;
    // a VAT record's is its rate).
    struct MissingAccount {
        CheckCode code;
        std::string_view key;
        double rate;
    };

    // Notes how the document's fields are written.
    void Prepare(bool oem, std::string_view separator);
    // Checks a record's account, and notes it for the totals.
    void CheckAccount(std::string_view account, const MissingAccount& missing);
    void CheckServerText(std::string_view text, const std::u16string& server);
    void CheckFieldText(std::string_view text);
    // The cents of an amount as written, or nothing (and a bad-amount row) when it is not
    // one the ledger package reads.
    std::optional<std::int64_t> CheckAmount(double amount);
    void CheckRounding(double gross);
    // A row of the document being checked, unless it has one of the same code and key.
    // A key's place in the report's texts. Keys repeat from document to document (the
    // same client, item or rate), so each is kept once: half a million rows of a period
    // without accounts hold a few thousand texts.
    struct KeySpan {
        std::size_t at;
        std::size_t length;
    };
    // Each answers where the key stands in the report's texts.
    KeySpan Add(CheckCode code, std::string_view key);  // a 1253 key
    KeySpan Add(CheckCode code, std::u16string_view key);
    // The key that is the report's texts from keyAt on, kept once: a key the report holds
    // already takes its first place, and the texts lose the copy.
    KeySpan KeepKey(std::size_t keyAt);
    KeySpan AddRow(CheckCode code, KeySpan key);
    // The report's missing key of this code and key, with the document being checked counted.
    std::size_t NoteMissing(CheckCode code, KeySpan key);
    // The amounts of the document's records that lack their account, to their keys.
    void AddToMissing(const ComposedDocument& document);
    // A row with no key, of the document started last.
    void AddKeyless(CheckCode code);
    void StartDocument(std::size_t index, std::string_view reference, double oleDate, bool sale);
    void AddToTotals(const ComposedDocument& document);

    struct KeyHash {
        const std::u16string* texts;
        std::size_t operator()(const KeySpan& key) const;
    };
    struct KeyEqual {
        const std::u16string* texts;
        bool operator()(const KeySpan& a, const KeySpan& b) const;
    };

    bool m_keepCodePage;
    CheckReport m_report;
    // The key tables' nodes, one per key a year names: tens of thousands of small blocks,
    // taken from pools of their own. Under Wine each block from the shared heap may cost a
    // walk of its free list, which the reading thread's many small blocks make long.
    std::pmr::unsynchronized_pool_resource m_pool;
    std::pmr::unordered_set<KeySpan, KeyHash, KeyEqual> m_keys;
    struct AccountHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view account) const { return std::hash<std::string_view>()(account); }
    };
    // Sorted only for the report: a run looks an account up for every record.
    std::unordered_map<std::string, AccountTotal, AccountHash, std::equal_to<>> m_accounts;
    // The report's keys by their 1253 text: a year names the same clients and items in
    // document after document, and each is made UTF-16 and looked up once.
    std::pmr::unordered_map<std::pmr::string, KeySpan, AccountHash, std::equal_to<>> m_narrowKeys{&m_pool};
    // The report's missing keys by code and key place: their index, and the last document
    // counted for them.
    struct MissingPlace {
        std::size_t index;
        std::size_t lastDocument;
    };
    std::pmr::unordered_map<std::uint64_t, MissingPlace> m_missing{&m_pool};

    // The document being checked: its count and fields, its code page and separator as
    // written, the rows it has, and each record's account and field 13 in order.
    std::size_t m_index = 0;
    const DocumentFields* m_fields = nullptr;
    bool m_oem = false;
    std::string m_separatorGiven;
    std::string m_separator;  // as written
    // The 1253 bytes that are a line break, or the separator's first byte, once written.
    std::vector<bool> m_stops;
    bool m_separatorInNumbers = false;
    // The document's rows: from this index of the report's problems on.
    std::size_t m_firstRow = 0;
    std::vector<std::string_view> m_accountsOf;
    static constexpr std::size_t kNotMissing = static_cast<std::size_t>(-1);
    std::vector<std::size_t> m_missingOf;  // per record: its missing key, or kNotMissing
    std::vector<std::optional<std::int64_t>> m_amounts;
    std::string m_scratch;
    std::string m_written;
};

}  // namespace dralmoft
