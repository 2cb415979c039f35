#include "proposal/report_proposals.h"

#include <cstdlib>
#include <set>
#include <utility>

#include "base/code_page.h"
#include "proposal/trader_proposals.h"
#include "proposal/vat_proposals.h"

namespace dralmoft {
namespace {

std::vector<std::string> KeptAccounts(const AccountMap& table) {
    std::vector<std::string> kept;
    for (const auto& [key, account] : table)
        if (!account.empty()) kept.push_back(account);
    return kept;
}

// Proposals for the rows of `code`, given out in the order of the rows.
void ProposeTraders(std::vector<KeyProposal>& rows, CheckCode code, const AccountMap& table,
                    std::u16string_view kindPlural) {
    std::vector<KeyProposal*> missing;
    for (KeyProposal& row : rows)
        if (row.code == code) missing.push_back(&row);
    const std::vector<Proposal> proposals = ProposeTraderAccounts(KeptAccounts(table), missing.size(), kindPlural);
    for (std::size_t i = 0; i < missing.size(); ++i) missing[i]->proposal = proposals[i];
}

}  // namespace

std::vector<KeyProposal> ProposeForReport(const CheckReport& report, const AccountTables& tables) {
    std::vector<KeyProposal> rows;
    std::set<std::pair<CheckCode, std::u16string>> met;
    for (const CheckProblem& problem : report.problems) {
        if (!IsAccountProblem(problem.code) || problem.code == CheckCode::ItemAccount) continue;
        std::u16string key(report.Key(problem));
        if (met.insert({problem.code, key}).second) rows.push_back({problem.code, std::move(key), {}});
    }
    ProposeTraders(rows, CheckCode::ClientAccount, tables.clients, u"πελάτες");
    ProposeTraders(rows, CheckCode::SupplierAccount, tables.suppliers, u"προμηθευτές");
    for (KeyProposal& row : rows) {
        if (row.code != CheckCode::VatAccount) continue;
        const double rate = std::strtod(Utf16ToCp1253(row.key).c_str(), nullptr);
        bool held = false;
        for (const auto& [keptRate, accounts] : tables.vat) held = held || keptRate == StoredVatRate(rate);
        // A rate the file holds lacks one side only: that side is for the file's own line.
        row.proposal =
            held ? Proposal{{}, u"ο συντελεστής υπάρχει ήδη στο αρχείο: συμπληρώστε τον λογαριασμό που λείπει", 0}
                 : ProposeVatAccounts(tables.vat, rate);
    }
    return rows;
}

}  // namespace dralmoft
