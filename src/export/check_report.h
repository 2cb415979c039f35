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

// In the order the report's counts list them. The first eight block: the file would be
// imported wrong or not at all. The rest inform.
enum class CheckCode : std::uint8_t {
    ClientAccount,
    SupplierAccount,
    ItemAccount,
    VatAccount,
    Unencodable,
    SeparatorInField,
    LineBreakInField,
    BadAmount,
    Rounding,
    NotCommercial,
    NoTrader,
    NoLines,
};
inline constexpr std::size_t kCheckCodeCount = 12;

[[nodiscard]] constexpr bool IsBlocking(CheckCode code) { return code <= CheckCode::BadAmount; }
[[nodiscard]] constexpr bool IsAccountProblem(CheckCode code) { return code <= CheckCode::VatAccount; }
// "client-account", ...: the code as reports and scripts name it.
[[nodiscard]] std::string_view CheckCodeName(CheckCode code);
// What the problem means for the file, and what to do: a Greek sentence.
[[nodiscard]] std::u16string_view CheckDescription(CheckCode code);

struct CheckProblem {
    CheckCode code = CheckCode::ClientAccount;
    // The run's count of the document (from 1): rows of one document share it.
    std::size_t documentIndex = 0;
    std::u16string document;  // "name-seriesnumber", or "#n" when its texts are not known
    std::string date;         // "YYYY-MM-DD", or empty when not known
    std::u16string key;       // see PeriodCheck
    // Sale (kind 1) or purchase: which cut of an account the row's key needs.
    bool sale = true;
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

struct CheckReport {
    std::vector<CheckProblem> problems;  // in the order the run met them
    KindTotal sales;
    KindTotal purchases;
    std::vector<AccountTotal> accounts;  // in byte order
    // Amounts that could not be added to the totals (not finite, or past a double's
    // cents): each is also a bad-amount problem.
    std::size_t amountsLeftOut = 0;

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
