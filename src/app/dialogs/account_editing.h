#pragma once
// Where the check report mends an account problem: the main window, which owns the
// account tables, their files and the master-data list.

#include <windows.h>

#include <string>
#include <vector>

#include "check/check_report.h"
#include "mapping/account_tables.h"
#include "proposal/accept_proposals.h"

namespace dralmoft {

class AccountEditing {
public:
    virtual ~AccountEditing() = default;
    // Opens the account editor over `key` (a tax id, an item's name, or a rate as
    // RateText writes it) of the table of `kind`, and saves what it gives as an edit in
    // the list is saved. Answers the key's account text as the table holds it afterwards.
    virtual std::string EditAccountOf(HWND owner, AccountKind kind, const std::string& key) = 0;
    // The four tables as the window holds them now.
    [[nodiscard]] virtual AccountTables Accounts() = 0;
    // Stores the rows (accounts for keys `report` finds without one) through the files'
    // merged save; the tables and the list then show the files as saved.
    [[nodiscard]] virtual AcceptResult StoreProposals(const std::vector<ProposalLine>& rows,
                                                      const CheckReport& report) = 0;
};

}  // namespace dralmoft
