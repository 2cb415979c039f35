#pragma once
// Accounts for a VAT rate the VAT file does not hold ("X;purchases;sales"), from the
// pattern the file's other rates follow: each of the three fields either the same for
// every rate, or a prefix and digits of one width in which the rate appears (54.00.0024
// and 54.00.1024 for 24 %: the rate plus 0, and plus 1000). When kSharedShare % or more of
// the rates follow one such pattern with the rate in at least one field, the new rate
// gets it; otherwise nothing. A rate with decimals (6.5 %) has no digits to put in.

#include <string>
#include <string_view>

#include "mapping/account_map.h"
#include "proposal/proposal.h"

namespace dralmoft {

// The three fields of a VAT text ("X;purchases;sales") as the export cuts it: a text
// without ';' is the sales account alone, one with a single ';' its X and sales.
struct VatFields {
    std::string x, purchases, sales;
};
[[nodiscard]] VatFields VatFieldsOf(std::string_view text);
// The text that the export cuts into `fields`: the sales account alone when there is no X
// and no purchases side.
[[nodiscard]] std::string VatText(const VatFields& fields);

[[nodiscard]] Proposal ProposeVatAccounts(const VatAccountMap& kept, double rate);

}  // namespace dralmoft
