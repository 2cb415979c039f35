#include "proposal/report_proposals.h"

#include <gtest/gtest.h>

namespace dralmoft {
namespace {

// A report as a period's check leaves it: each missing key once per document, in the
// order of the documents.
CheckReport ReportOf(std::initializer_list<std::pair<CheckCode, std::u16string>> rows) {
    CheckReport report;
    for (const auto& [code, key] : rows) {
        const auto at = static_cast<std::uint32_t>(report.texts.size());
        report.texts += key;
        report.problems.push_back({code, 0, at, static_cast<std::uint32_t>(key.size())});
    }
    return report;
}

TEST(ReportProposals, EachMissingKeyOnceInTheOrderMet) {
    AccountMap clients, suppliers, items;
    VatAccountMap vat;
    for (int i = 1; i <= 5; ++i) clients["09931245" + std::to_string(i)] = "30.00.00.000" + std::to_string(i);
    for (int i = 1; i <= 5; ++i) suppliers["80000000" + std::to_string(i)] = "50.00";
    vat[24.0] = "54.00;54.00.0024;54.00.1024";
    vat[13.0] = "54.00;54.00.0013;54.00.1013";
    vat[9.0] = "54.00;54.00.0009;54.00.1009";
    vat[4.0] = "54.00;54.00.0004;54.00.1004";
    vat[6.0] = "54.00;;54.00.1006";  // held, but without its purchases: four of five follow
    const CheckReport report = ReportOf({{CheckCode::ClientAccount, u"222222222"},
                                         {CheckCode::ItemAccount, u"Μέλι"},
                                         {CheckCode::VatAccount, u"17"},
                                         {CheckCode::ClientAccount, u"111111111"},
                                         {CheckCode::ClientAccount, u"222222222"},
                                         {CheckCode::SupplierAccount, u"888888888"},
                                         {CheckCode::VatAccount, u"6"}});
    const std::u16string series = u"επόμενος της σειράς 30.00.00.#### (μέγιστος 30.00.00.0005)";
    const std::vector<KeyProposal> expected = {
        {CheckCode::ClientAccount, u"222222222", {"30.00.00.0006", series, 100}},
        {CheckCode::VatAccount, u"17", {"54.00;54.00.0017;54.00.1017", u"το μοτίβο των άλλων συντελεστών", 80}},
        {CheckCode::ClientAccount, u"111111111", {"30.00.00.0007", series, 100}},
        {CheckCode::SupplierAccount, u"888888888", {"50.00", u"όπως όλοι οι προμηθευτές", 100}},
        {CheckCode::VatAccount,
         u"6",
         {"", u"ο συντελεστής υπάρχει ήδη στο αρχείο: συμπληρώστε τον λογαριασμό που λείπει", 0}},
    };
    EXPECT_EQ(ProposeForReport(report, {clients, suppliers, items, vat}), expected);
}

}  // namespace
}  // namespace dralmoft
