#pragma once
// Accounts for the clients (or the suppliers) the period meets without one, from the
// accounts the kind's file already keeps. Nothing is built in about a chart of accounts:
//
//   - with fewer than kMinimumKept keys holding an account, nothing is proposed;
//   - when kSharedShare % or more of them share one account (a control account), that;
//   - otherwise, when kSharedShare % or more of the accounts form one numbered series (one
//     prefix, then digits of one width: 30.00.00.0001 … 30.00.00.0380), the next numbers
//     after the largest, one per new key in the order the period met them. A gap in the
//     series is a retired account and is never reused; a series whose width is used up
//     proposes nothing;
//   - otherwise nothing.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mapping/account_map.h"
#include "proposal/proposal.h"

namespace dralmoft {

inline constexpr std::size_t kMinimumKept = 5;
inline constexpr int kSharedShare = 80;

// `kept`: the account of every key of the kind that has one (Windows-1253). `newKeys`:
// how many keys the period met without one. `kindPlural`: how the reason names the kind
// (u"πελάτες", u"προμηθευτές"). One proposal per new key, in order.
[[nodiscard]] std::vector<Proposal> ProposeTraderAccounts(const std::vector<std::string>& kept, std::size_t newKeys,
                                                          std::u16string_view kindPlural);

// The accounts of a kind's table that are not blank (a run's look-ups leave every key it met
// in the table, with an empty account).
[[nodiscard]] std::vector<std::string> KeptAccounts(const AccountMap& table);

// The series the kind's accounts form (as above: no shared account, kSharedShare % or more
// in one series), whose numbers are traders' own accounts, which two keys may not hold.
struct OwnAccounts {
    std::string prefix;
    std::size_t width = 0;

    [[nodiscard]] bool Hold(std::string_view account) const;
};
[[nodiscard]] std::optional<OwnAccounts> OwnAccountsOf(const std::vector<std::string>& kept);

}  // namespace dralmoft
