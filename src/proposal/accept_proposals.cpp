#include "proposal/accept_proposals.h"

#include <map>
#include <optional>
#include <utility>

#include "base/code_page.h"
#include "proposal/report_proposals.h"
#include "proposal/trader_proposals.h"

namespace dralmoft {
namespace {

// A key as the rows and the report are matched by: a VAT rate by its value, as the file
// keeps it ("24", "24.0" and "24,00" are one rate).
std::string KeyId(CheckCode code, const std::string& key) {
    return code == CheckCode::VatAccount ? FormatVatKey(VatKeyRate(key)) : key;
}

// The account the table holds for the row's key now ("" for none).
std::string Current(const AccountTables& tables, const ProposalLine& row) {
    const AccountKind kind = AccountKindOf(row.code);
    const std::string* held =
        kind == AccountKind::VatRates ? tables.vat.Find(VatKeyRate(row.key)) : tables.Text(kind).Find(row.key);
    return held == nullptr ? std::string() : *held;
}

std::optional<std::u16string> NotStorable(const ProposalLine& row) {
    const std::string_view key = row.code == CheckCode::VatAccount ? std::string_view("0") : row.key;
    switch (CheckStorable(key, row.account)) {
        case Unstorable::None: return std::nullopt;
        case Unstorable::KeyHoldsSemicolon: return u"το αρχείο δεν μπορεί να κρατήσει κλειδί με «;»";
        case Unstorable::KeyBeginsWithBlank: return u"το αρχείο δεν μπορεί να κρατήσει κλειδί που αρχίζει με κενό";
        case Unstorable::KeyHoldsLineBreak: return u"το αρχείο δεν μπορεί να κρατήσει κλειδί με αλλαγή γραμμής";
        case Unstorable::AccountEndsWithBlank: return u"ο λογαριασμός τελειώνει με κενό";
        case Unstorable::AccountHoldsLineBreak: break;
    }
    return u"ο λογαριασμός περιέχει αλλαγή γραμμής";
}

std::u16string Quoted(const std::string& text) { return u"«" + Cp1253ToUtf16(text) + u"»"; }

}  // namespace

AcceptResult AcceptProposals(const std::vector<ProposalLine>& rows, const CheckReport& report, AccountFile& file,
                             const AccountTables& tables) {
    std::map<std::pair<CheckCode, std::string>, const MissingKey*> missing;
    for (const MissingKey& key : report.missing)
        missing[{key.code, KeyId(key.code, Utf16ToCp1253(report.Key(key)))}] = &key;
    // The traders' own accounts, once per kind: a row's account of the series is one no
    // other key may hold.
    const std::optional<OwnAccounts> ownClients = OwnAccountsOf(KeptAccounts(tables.clients));
    const std::optional<OwnAccounts> ownSuppliers = OwnAccountsOf(KeptAccounts(tables.suppliers));

    AcceptResult result;
    std::array<AccountChanges, 4> changes;
    std::map<std::pair<AccountKind, std::string>, std::size_t> queued;  // key to its row
    for (const ProposalLine& row : rows) {
        AcceptedRow& accepted = result.rows.emplace_back(AcceptedRow{row, RowFate::Stored, {}});
        const AccountKind kind = AccountKindOf(row.code);
        // A VAT key by its rate as the file keeps it: "24" and "24.0" are one rate.
        const std::string id = KeyId(row.code, row.key);
        const std::string current = Current(tables, row);
        if (!missing.count({row.code, id})) {
            const bool has = !TrimSpace(current).empty();
            accepted.fate = has ? RowFate::HadAccount : RowFate::NotMissing;
            accepted.why = has ? u"έχει ήδη λογαριασμό " + Quoted(current) + u": δεν άλλαξε"
                               : u"η περίοδος δεν έχει αυτό το κλειδί χωρίς λογαριασμό";
        } else if (const std::optional<std::u16string> why = NotStorable(row)) {
            accepted.fate = RowFate::Refused;
            accepted.why = *why;
        } else if (const auto earlier = queued.find({kind, id}); earlier != queued.end()) {
            accepted.fate = RowFate::Refused;
            accepted.why = u"το κλειδί δόθηκε ήδη στη γραμμή " +
                           Cp1253ToUtf16(std::to_string(result.rows[earlier->second].row.line));
        } else {
            queued[{kind, id}] = result.rows.size() - 1;
            const std::size_t at = static_cast<std::size_t>(kind);
            if (kind == AccountKind::VatRates) {
                changes[at].SetIfStill(VatKeyRate(row.key), current, row.account);
            } else {
                const std::optional<OwnAccounts>& own = kind == AccountKind::Clients     ? ownClients
                                                        : kind == AccountKind::Suppliers ? ownSuppliers
                                                                                         : std::nullopt;
                changes[at].SetIfStill(row.key, current, row.account, own && own->Hold(row.account));
            }
        }
    }

    for (const AccountKind kind : kAccountLoadOrder) {
        const AccountChanges& kindChanges = changes[static_cast<std::size_t>(kind)];
        if (kindChanges.Empty()) continue;
        std::vector<ChangeLeft> left;
        const FileStatus status = file.Save(kind, tables, kindChanges, &left);
        if (!status.ok) {
            if (result.status.ok) {
                result.status = status;
                result.failed = kind;
            }
            for (const auto& [key, index] : queued)
                if (key.first == kind) {
                    result.rows[index].fate = RowFate::Refused;
                    result.rows[index].why = u"το αρχείο " + std::u16string(AccountFileName(kind)) + u" δεν γράφτηκε";
                }
            continue;
        }
        for (const ChangeLeft& change : left) {
            AcceptedRow& row = result.rows[queued.at({kind, change.key})];
            if (change.why == ChangeLeft::Why::Changed) {
                row.fate = RowFate::HadAccount;
                row.why = u"πήρε λογαριασμό στο μεταξύ " + Quoted(change.holder) + u": δεν άλλαξε";
            } else {
                row.fate = RowFate::Refused;
                row.taken = true;
                row.why = u"ο λογαριασμός " + Quoted(row.row.account) + u" ανήκει ήδη στο " + Quoted(change.holder);
            }
        }
    }
    for (const AcceptedRow& row : result.rows) ++result.counts[static_cast<std::size_t>(row.fate)];
    return result;
}

}  // namespace dralmoft

namespace dralmoft {

std::vector<Renumbered> RenumberTaken(const AcceptResult& result, const AccountTables& tables,
                                      const std::function<bool(std::size_t)>& renumber) {
    std::vector<Renumbered> renumbered;
    for (const CheckCode code : {CheckCode::ClientAccount, CheckCode::SupplierAccount}) {
        std::vector<std::size_t> taken;
        for (std::size_t at = 0; at < result.rows.size(); ++at)
            if (result.rows[at].taken && result.rows[at].row.code == code && renumber(at)) taken.push_back(at);
        if (taken.empty()) continue;
        const bool clients = code == CheckCode::ClientAccount;
        const std::vector<Proposal> next =
            ProposeTraderAccounts(KeptAccounts(clients ? tables.clients : tables.suppliers), taken.size(),
                                  clients ? u"πελάτες" : u"προμηθευτές");
        for (std::size_t i = 0; i < taken.size(); ++i)
            if (!next[i].account.empty()) renumbered.push_back({taken[i], next[i]});
    }
    return renumbered;
}

void TakeRetried(AcceptResult& result, const std::vector<std::size_t>& places, const AcceptResult& retried) {
    for (std::size_t i = 0; i < places.size() && i < retried.rows.size(); ++i) result.rows[places[i]] = retried.rows[i];
    if (result.status.ok && !retried.status.ok) {
        result.status = retried.status;
        result.failed = retried.failed;
    }
    result.counts = {};
    for (const AcceptedRow& row : result.rows) ++result.counts[static_cast<std::size_t>(row.fate)];
}

}  // namespace dralmoft
