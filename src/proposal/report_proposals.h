#pragma once
// The proposals for a period's check: one for every client, supplier, item and VAT rate
// that its report finds without an account, in the order the period meets them, from the
// account files' tables as they are now.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "check/check_report.h"
#include "mapping/account_tables.h"
#include "proposal/proposal.h"

namespace dralmoft {

struct KeyProposal {
    CheckCode code = CheckCode::ClientAccount;
    std::u16string key;  // as the report gives it
    std::size_t documents = 0;
    std::int64_t amount = 0;  // cents: what its records without the account carry
    Proposal proposal;

    friend bool operator==(const KeyProposal&, const KeyProposal&) = default;
};

[[nodiscard]] std::vector<KeyProposal> ProposeForReport(const CheckReport& report, const AccountTables& tables);

// The table an account code's key belongs to.
[[nodiscard]] AccountKind AccountKindOf(CheckCode code);
// A VAT key as a rate: "6.5", or "6,5" as a Greek spreadsheet writes it back.
[[nodiscard]] double VatKeyRate(std::string key);

}  // namespace dralmoft
