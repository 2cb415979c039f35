#pragma once
// The proposals as a CSV file, for a spreadsheet and back: UTF-8 with a byte-order mark,
// ';' between fields, CR LF, decimal comma, texts spreadsheet-safe as in every CSV the
// program writes. The header:
//
//   Κωδικός;Κλειδί;Όνομα;Έγγραφα;Ποσό;Πρόταση;Αιτία;Βεβαιότητα
//
// Reading takes Κωδικός, Κλειδί and Πρόταση only, from UTF-8 (with or without its mark) or
// Windows-1253, as Excel may save it.

#include <cstddef>
#include <string>
#include <vector>

#include "proposal/report_proposals.h"

namespace dralmoft {

[[nodiscard]] std::string ProposalsCsv(const std::vector<KeyProposal>& rows);

// A row of a proposals file: its line (the header is line 1), and its texts in Windows-1253.
struct ProposalLine {
    std::size_t line = 0;
    CheckCode code = CheckCode::ClientAccount;
    std::string key;
    std::string account;  // empty: no proposal

    friend bool operator==(const ProposalLine&, const ProposalLine&) = default;
};

struct ProposalsFile {
    std::vector<ProposalLine> rows;  // the rows with a proposal, in file order
    // Not a proposals file: the line where it stops being one, and why (Greek); 0 when it is.
    std::size_t badLine = 0;
    std::u16string why;
};

[[nodiscard]] ProposalsFile ReadProposalsCsv(std::string bytes);

}  // namespace dralmoft
