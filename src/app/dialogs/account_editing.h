#pragma once
// Where the check report mends an account problem: the main window, which owns the
// account tables, their files and the master-data list.

#include <windows.h>

#include <string>

#include "mapping/account_tables.h"

namespace dralmoft {

class AccountEditing {
public:
    virtual ~AccountEditing() = default;
    // Opens the account editor over `key` (a tax id, an item's name, or a rate as
    // RateText writes it) of the table of `kind`, and saves what it gives as an edit in
    // the list is saved. Answers the key's account text as the table holds it afterwards.
    virtual std::string EditAccountOf(HWND owner, AccountKind kind, const std::string& key) = 0;
};

}  // namespace dralmoft
