#include "proposal/report_proposals.h"

#include <gtest/gtest.h>

#include "base/code_page.h"

namespace dralmoft {
namespace {

struct Missing {
    CheckCode code;
    std::u16string key;
    bool purchases = false;
    bool sales = true;
    std::vector<RateAmount> rates = {};
};

// A report as a period's check leaves it: each missing key once, in the order met, with
// two documents and 1.00 each.
CheckReport ReportOf(std::initializer_list<Missing> keys) {
    CheckReport report;
    for (const Missing& missing : keys) {
        MissingKey& key = report.missing.emplace_back();
        key.code = missing.code;
        key.keyAt = static_cast<std::uint32_t>(report.texts.size());
        key.keyLength = static_cast<std::uint32_t>(missing.key.size());
        report.texts += missing.key;
        key.documents = 2;
        key.amount = 100 * static_cast<std::int64_t>(report.missing.size());
        key.purchases = missing.purchases;
        key.sales = missing.sales;
        key.rates = missing.rates;
    }
    return report;
}

// A row as "code key documents amount | account | reason | confidence".
std::string Text(const KeyProposal& row) {
    std::string text(CheckCodeName(row.code));
    text += " ";
    AppendUtf8(text, row.key);
    text += " " + std::to_string(row.documents) + " " + CentsText(row.amount) + " | " + row.proposal.account + " | ";
    AppendUtf8(text, row.proposal.reason);
    return text + " | " + std::to_string(row.proposal.confidence);
}

TEST(ReportProposals, EachMissingKeyInTheOrderMetWithOnlyWhatIsMissing) {
    AccountMap clients, suppliers, items;
    VatAccountMap vat;
    for (int i = 1; i <= 5; ++i) clients["09931245" + std::to_string(i)] = "30.00.00.000" + std::to_string(i);
    for (int i = 1; i <= 5; ++i) suppliers["80000000" + std::to_string(i)] = "50.00";
    vat[24.0] = "54.00;54.00.0024;54.00.1024";
    vat[13.0] = "54.00;54.00.0013;54.00.1013";
    vat[9.0] = "54.00;54.00.0009;54.00.1009";
    vat[4.0] = "54.00;54.00.0004;54.00.1004";
    vat[6.0] = "54.00;;54.00.1006";  // held, without its purchases side
    vat[17.0] = "54.00.1017";        // a sales account alone
    // A run's look-ups leave every key it met in the tables, with an empty account.
    for (const char* client : {"222222222", "111111111", "333333333"}) clients[client];
    vat[11.0];
    items[Utf16ToCp1253(u"Μέλι;έλατο")];
    items[Utf16ToCp1253(u"Μέλι θυμαρίσιο 1kg")] = "20.01;70.01";
    items[Utf16ToCp1253(u"Μέλι ανθόμελο 500gr")] = "70.01";  // sold only, now bought
    const CheckReport report = ReportOf({
        {CheckCode::ClientAccount, u"222222222"},
        {CheckCode::ItemAccount, u"Μέλι ανθόμελο 500gr", true, false, {{13.0, 100}}},
        {CheckCode::VatAccount, u"11"},
        {CheckCode::ClientAccount, u" 111111111"},  // the file cannot keep a key that begins with a blank
        {CheckCode::ClientAccount, u"333333333"},
        {CheckCode::SupplierAccount, u"888888888", true, false},
        {CheckCode::VatAccount, u"6", true, false},
        {CheckCode::VatAccount, u"17", true, false},
        {CheckCode::ItemAccount, u"Μέλι;έλατο", true, true, {{13.0, 100}}},
    });
    const std::string series = "επόμενος της σειράς 30.00.00.#### (μέγιστος 30.00.00.0005) | 100";
    const std::vector<std::string> expected = {
        "client-account 222222222 2 1.00 | 30.00.00.0006 | " + series,
        "item-account Μέλι ανθόμελο 500gr 2 2.00 | 20.01;70.01 | όπως το παρόμοιο είδος «Μέλι θυμαρίσιο 1kg» | 100",
        // Four of the six rates follow the pattern: too few for a new rate.
        "vat-account 11 2 3.00 |  | οι λογαριασμοί των άλλων συντελεστών δεν έχουν κοινό μοτίβο | 0",
        "client-account  111111111 2 4.00 |  | το αρχείο δεν μπορεί να κρατήσει το κλειδί: αρχίζει με κενό | 0",
        "client-account 333333333 2 5.00 | 30.00.00.0007 | " + series,
        "supplier-account 888888888 2 6.00 | 50.00 | όπως όλοι οι προμηθευτές | 100",
        // A held rate is measured against the other five, four of which follow: only the
        // missing purchases side is given (and a lone sales account gets its X too).
        "vat-account 6 2 7.00 | 54.00;54.00.0006;54.00.1006 | το μοτίβο των άλλων συντελεστών | 80",
        "vat-account 17 2 8.00 | 54.00;54.00.0017;54.00.1017 | το μοτίβο των άλλων συντελεστών | 80",
        "item-account Μέλι;έλατο 2 9.00 |  | το αρχείο δεν μπορεί να κρατήσει το κλειδί: περιέχει «;» (ορίστε τον "
        "λογαριασμό στον διακομιστή με άλλο όνομα) | 0",
    };
    std::vector<std::string> actual;
    for (const KeyProposal& row : ProposeForReport(report, {clients, suppliers, items, vat}))
        actual.push_back(Text(row));
    EXPECT_EQ(actual, expected);
}

}  // namespace
}  // namespace dralmoft
