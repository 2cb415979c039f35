#pragma once
// What the period check found in an export run: every problem the ledger package would
// meet in the file, the documents the run skipped, and the period's totals as written,
// for reconciling with the VAT return. Portable: texts are UTF-16 (the window's and the
// console's), amounts are cents.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dralmoft {

// In the order the report's counts list them. The first nine block: the file would be
// imported wrong or not at all, or a document posted twice. The rest inform.
enum class CheckCode : std::uint8_t {
    ClientAccount,
    SupplierAccount,
    ItemAccount,
    VatAccount,
    Unencodable,
    SeparatorInField,
    LineBreakInField,
    BadAmount,
    Changed,  // amended since the export log's batch: the ledger holds the old version
    Rounding,
    AlreadyExported,  // the export log holds it as it is
    NotCommercial,
    NoTrader,
    NoLines,
};
inline constexpr std::size_t kCheckCodeCount = static_cast<std::size_t>(CheckCode::NoLines) + 1;

[[nodiscard]] constexpr bool IsBlocking(CheckCode code) { return code <= CheckCode::Changed; }
[[nodiscard]] constexpr bool IsAccountProblem(CheckCode code) { return code <= CheckCode::VatAccount; }
// "client-account", ...: the code as reports and scripts name it.
[[nodiscard]] std::string_view CheckCodeName(CheckCode code);
// The code as the windows name it, in Greek ("Πελάτης χωρίς λογαριασμό"); files keep the
// name above.
[[nodiscard]] std::u16string_view CheckCodeTitle(CheckCode code);
// What the problem means for the file, and what to do: a Greek sentence.
[[nodiscard]] std::u16string_view CheckDescription(CheckCode code);

// A row of the report. Its texts are kept by the report (see CheckReport::Key and the
// others): a period may have half a million rows, and a string each would cost more
// than the rest of the check.
struct CheckProblem {
    CheckCode code = CheckCode::ClientAccount;
    std::uint32_t document = 0;  // in the report's documents
    std::uint32_t keyAt = 0;     // in the report's texts (each key once: far below 4 G)
    std::uint32_t keyLength = 0;
};

// A document with rows: the run's count of it (from 1; the server counts in 32 bits), its
// reference ("name-seriesnumber", or "#n" when its texts are not known), its date
// ("YYYY-MM-DD", or empty when not known), and whether it is a sale (kind 1): which cut
// of an account its keys need. Small: a period may have a hundred thousand of them.
struct CheckedDocument {
    std::uint32_t index = 0;
    std::uint32_t referenceAt = 0;
    std::uint32_t referenceLength = 0;
    bool sale = true;
    std::uint8_t dateLength = 0;
    std::array<char, 10> date{};

    [[nodiscard]] std::string_view Date() const { return {date.data(), dateLength}; }
};

// One VAT rate of one kind: the documents with a group of that rate and the amounts of
// their records, as written.
struct RateTotal {
    double rate = 0.0;
    std::size_t documents = 0;
    std::int64_t net = 0;  // cents: field 13 of the item records
    std::int64_t vat = 0;  // cents: field 13 of the VAT records
};

struct KindTotal {
    std::vector<RateTotal> rates;  // ascending, NaN last
    std::size_t documents = 0;
    std::int64_t net = 0;
    std::int64_t vat = 0;
    std::int64_t traders = 0;  // cents: field 13 of the trader records
};

struct AccountTotal {
    std::string account;  // Windows-1253, as the records carry it (cut for their kind)
    std::size_t records = 0;
    std::int64_t amount = 0;  // cents: field 13
};

// A rate an item's groups carried in the period, and the net amount of those groups.
struct RateAmount {
    double rate = 0.0;
    std::int64_t amount = 0;  // cents

    friend bool operator==(const RateAmount&, const RateAmount&) = default;
};

// A client, supplier, item or VAT rate the period met without an account (for the cut its
// documents need): what a person weighs before giving it one.
struct MissingKey {
    CheckCode code = CheckCode::ClientAccount;
    std::uint32_t keyAt = 0;  // in the report's texts, as its rows give it
    std::uint32_t keyLength = 0;
    std::uint32_t documents = 0;
    std::int64_t amount = 0;        // cents: field 13 of the records that lack the account
    bool sales = false;             // a sale needs it
    bool purchases = false;         // a purchase needs it
    std::vector<RateAmount> rates;  // items: each rate of their groups, in the order met
};

struct CheckReport {
    std::vector<CheckProblem> problems;  // in the order the run met them
    std::vector<MissingKey> missing;     // each (code, key) once, in the order the run met them
    std::vector<CheckedDocument> documents;
    std::u16string texts;  // the rows' keys and the documents' references
    KindTotal sales;
    KindTotal purchases;
    std::vector<AccountTotal> accounts;  // in byte order
    // Amounts that could not be added to the totals (not finite, or past a double's
    // cents): each is also a bad-amount problem.
    std::size_t amountsLeftOut = 0;

    [[nodiscard]] std::u16string_view Key(const CheckProblem& problem) const {
        return std::u16string_view(texts).substr(problem.keyAt, problem.keyLength);
    }
    [[nodiscard]] std::u16string_view Key(const MissingKey& key) const {
        return std::u16string_view(texts).substr(key.keyAt, key.keyLength);
    }
    [[nodiscard]] const CheckedDocument& DocumentOf(const CheckProblem& problem) const {
        return documents[problem.document];
    }
    [[nodiscard]] std::u16string_view Reference(const CheckProblem& problem) const {
        const CheckedDocument& document = DocumentOf(problem);
        return std::u16string_view(texts).substr(document.referenceAt, document.referenceLength);
    }

    [[nodiscard]] std::size_t BlockingCount() const;
    // The number of documents with at least one row of each code.
    [[nodiscard]] std::array<std::size_t, kCheckCodeCount> DocumentCounts() const;
};

// A rate as the shortest decimal that reads back as the same number, without an
// exponent ("24", "6.126", "0.0000001").
[[nodiscard]] std::string RateText(double rate);
// Cents as an amount with two decimals and the given decimal mark ("-12.50").
[[nodiscard]] std::string CentsText(std::int64_t cents, char decimalMark = '.');

}  // namespace dralmoft
