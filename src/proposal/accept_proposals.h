#pragma once
// Storing accepted proposals: each row whose key the period's check still reports without
// an account goes into its kind's account file, through the files' merged save (one save
// per file, under its lock, on the file as it is then). What cannot be stored is told per
// row and left:
//
//   - a key the period does not miss: it has an account now, or it is not the period's
//     (Excel may have made 099999999 into 99999999);
//   - a key that got an account after the check (another window, another user): not
//     overwritten;
//   - an entry the file cannot keep as it is, a key given twice, or a trader's series
//     number another key holds by then.
//
// The command line's --accept and the proposals window both store through here.

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "check/check_report.h"
#include "data/file_system.h"
#include "mapping/account_file.h"
#include "proposal/proposal.h"
#include "proposal/proposals_csv.h"

namespace dralmoft {

enum class RowFate : std::uint8_t { Stored, HadAccount, NotMissing, Refused };
inline constexpr std::size_t kRowFates = 4;

struct AcceptedRow {
    ProposalLine row;
    RowFate fate = RowFate::Stored;
    std::u16string why;  // Greek; empty for a stored row
    // Refused because another key held its (series) account by the time it was saved.
    bool taken = false;

    friend bool operator==(const AcceptedRow&, const AcceptedRow&) = default;
};

struct AcceptResult {
    std::vector<AcceptedRow> rows;  // in the order given
    std::array<std::size_t, kRowFates> counts{};
    // The first file that could not be saved (its rows are refused, with its failure).
    FileStatus status = FileStatus::Success();
    AccountKind failed = AccountKind::Clients;
};

// `tables` hold the four files as the check saw them; after the call, as saved.
[[nodiscard]] AcceptResult AcceptProposals(const std::vector<ProposalLine>& rows, const CheckReport& report,
                                           AccountFile& file, const AccountTables& tables);

// A series number another key took between the proposal and its store: the rows of
// `result` refused so (those `renumber` allows: not typed by the user), each with the next
// number of its series as `tables` hold the files now, in the order of the rows. Rows the
// series has no number left for are not given.
struct Renumbered {
    std::size_t at;  // in result.rows
    Proposal proposal;
};
[[nodiscard]] std::vector<Renumbered> RenumberTaken(const AcceptResult& result, const AccountTables& tables,
                                                    const std::function<bool(std::size_t)>& renumber);

// The result of storing `result`'s rows at `places` again, taken into it.
void TakeRetried(AcceptResult& result, const std::vector<std::size_t>& places, const AcceptResult& retried);

}  // namespace dralmoft
