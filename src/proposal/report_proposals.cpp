#include "proposal/report_proposals.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <utility>

#include "base/code_page.h"
#include "export/journal_record.h"
#include "mapping/mapping_format.h"
#include "proposal/item_proposals.h"
#include "proposal/trader_proposals.h"
#include "proposal/vat_proposals.h"

namespace dralmoft {
namespace {

// Why the file cannot keep an entry under `key`, or nothing when it can.
std::optional<std::u16string> UnstorableKey(std::string_view key) {
    switch (CheckStorable(key, "0")) {
        case Unstorable::KeyHoldsSemicolon:
            return u"το αρχείο δεν μπορεί να κρατήσει το κλειδί: περιέχει «;» (ορίστε τον λογαριασμό στον διακομιστή "
                   u"με άλλο όνομα)";
        case Unstorable::KeyBeginsWithBlank: return u"το αρχείο δεν μπορεί να κρατήσει το κλειδί: αρχίζει με κενό";
        case Unstorable::KeyHoldsLineBreak:
            return u"το αρχείο δεν μπορεί να κρατήσει το κλειδί: περιέχει αλλαγή γραμμής";
        default: break;
    }
    return std::nullopt;
}

// Proposals for the rows of `code` whose keys the file can keep, given out in the order of
// the rows: a series gives each its own number.
void ProposeTraders(std::vector<KeyProposal>& rows, CheckCode code, const AccountMap& table,
                    std::u16string_view kindPlural) {
    std::vector<KeyProposal*> missing;
    for (KeyProposal& row : rows)
        if (row.code == code && row.proposal.reason.empty()) missing.push_back(&row);
    const std::vector<Proposal> proposals = ProposeTraderAccounts(KeptAccounts(table), missing.size(), kindPlural);
    for (std::size_t i = 0; i < missing.size(); ++i) missing[i]->proposal = proposals[i];
}

// The rates with an account: a run's look-ups leave each rate it met in the table, with
// an empty account, and those follow no pattern.
VatAccountMap HeldRates(const VatAccountMap& table, double except) {
    VatAccountMap held;
    for (const auto& [rate, accounts] : table)
        if (!TrimSpace(accounts).empty() && rate != StoredVatRate(except)) held[rate] = accounts;
    return held;
}

// A rate the file holds with a side missing gets the pattern's side (the pattern of the
// other rates: this one's text is what it is not yet); one it does not hold, the whole
// pattern.
Proposal ProposeVat(const MissingKey& key, double rate, const VatAccountMap& table) {
    const VatAccountMap others = HeldRates(table, rate);
    Proposal proposal = ProposeVatAccounts(others, rate);
    const std::string* held = table.Find(rate);
    if (held == nullptr || TrimSpace(*held).empty() || proposal.account.empty()) return proposal;
    const VatFields pattern = VatFieldsOf(proposal.account);
    VatFields fields = VatFieldsOf(*held);
    if (fields.x.empty() && fields.purchases.empty() && !fields.sales.empty() && key.purchases) {
        // A lone sales account becomes a whole line: the X field from the pattern.
        fields.x = pattern.x;
    }
    if (key.purchases) fields.purchases = pattern.purchases;
    if (key.sales) fields.sales = pattern.sales;
    proposal.account = VatText(fields);
    return proposal;
}

std::vector<double> RatesOf(const CheckReport& report, const VatAccountMap& vat) {
    std::vector<double> rates;
    for (const auto& [rate, accounts] : vat) rates.push_back(rate);
    for (const MissingKey& key : report.missing)
        for (const RateAmount& rate : key.rates) rates.push_back(rate.rate);
    return rates;
}

}  // namespace

std::vector<KeyProposal> ProposeForReport(const CheckReport& report, const AccountTables& tables) {
    std::vector<KeyProposal> rows;
    for (const MissingKey& key : report.missing) {
        KeyProposal& row =
            rows.emplace_back(KeyProposal{key.code, std::u16string(report.Key(key)), key.documents, key.amount, {}});
        if (key.code != CheckCode::VatAccount)
            if (std::optional<std::u16string> why = UnstorableKey(Utf16ToCp1253(row.key))) row.proposal.reason = *why;
    }
    ProposeTraders(rows, CheckCode::ClientAccount, tables.clients, u"πελάτες");
    ProposeTraders(rows, CheckCode::SupplierAccount, tables.suppliers, u"προμηθευτές");
    std::optional<ItemProposer> items;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        KeyProposal& row = rows[i];
        const MissingKey& key = report.missing[i];
        if (row.code == CheckCode::VatAccount)
            row.proposal = ProposeVat(key, VatKeyRate(Utf16ToCp1253(row.key)), tables.vat);
        if (row.code != CheckCode::ItemAccount || !row.proposal.reason.empty()) continue;
        if (!items) items.emplace(tables.items, RatesOf(report, tables.vat));
        const std::string name = Utf16ToCp1253(row.key);
        const std::string* current = tables.items.Find(name);
        row.proposal = items->Propose({name, current ? *current : "", key.purchases, key.sales, key.rates});
    }
    return rows;
}

AccountKind AccountKindOf(CheckCode code) {
    switch (code) {
        case CheckCode::ClientAccount: return AccountKind::Clients;
        case CheckCode::SupplierAccount: return AccountKind::Suppliers;
        case CheckCode::ItemAccount: return AccountKind::Items;
        default: break;
    }
    return AccountKind::VatRates;
}

double VatKeyRate(std::string key) {
    std::replace(key.begin(), key.end(), ',', '.');
    return std::strtod(key.c_str(), nullptr);
}

}  // namespace dralmoft
