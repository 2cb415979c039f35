#pragma once
// The proposals for a period's check: one for every client, supplier and VAT rate that
// its report finds without an account, in the order the period meets them, from the
// account files' tables as they are now. Items are proposed by their own unit (to come).

#include <string>
#include <vector>

#include "check/check_report.h"
#include "mapping/account_tables.h"
#include "proposal/proposal.h"

namespace dralmoft {

struct KeyProposal {
    CheckCode code = CheckCode::ClientAccount;
    std::u16string key;  // as the report gives it
    Proposal proposal;

    friend bool operator==(const KeyProposal&, const KeyProposal&) = default;
};

[[nodiscard]] std::vector<KeyProposal> ProposeForReport(const CheckReport& report, const AccountTables& tables);

}  // namespace dralmoft
