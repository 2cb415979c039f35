#include "proposal/proposals_csv.h"

#include <gtest/gtest.h>

#include "base/code_page.h"

namespace dralmoft {
namespace {

std::string A(std::u16string_view text) { return Utf16ToCp1253(text); }

const std::vector<KeyProposal> kRows = {
    {CheckCode::ClientAccount, u"099999999", 3, 124050, {"30.00.00.0381", u"επόμενος της σειράς 30.00.00.####", 100}},
    {CheckCode::ItemAccount, u"Βίδα; ξύλου \"4x40\"", 1, -1250, {"20.01;70.01", u"όπως το παρόμοιο είδος «Βίδα»", 96}},
    {CheckCode::ItemAccount, u"=Σπάγγος", 2, 5, {"", u"κανένα είδος με λογαριασμό δεν μοιάζει στο όνομα", 0}},
    {CheckCode::VatAccount, u"17", 4, 700, {"54.00;54.00.0017;54.00.1017", u"το μοτίβο των άλλων συντελεστών", 80}},
};

TEST(ProposalsCsv, WrittenByteForByteAndReadBack) {
    const std::string csv = ProposalsCsv(kRows);
    EXPECT_EQ(csv,
              "\xEF\xBB\xBF"
              "Κωδικός;Κλειδί;Όνομα;Έγγραφα;Ποσό;Πρόταση;Αιτία;Βεβαιότητα\r\n"
              "client-account;099999999;;3;1240,50;30.00.00.0381;επόμενος της σειράς 30.00.00.####;100\r\n"
              "item-account;\"Βίδα; ξύλου \"\"4x40\"\"\";\"Βίδα; ξύλου \"\"4x40\"\"\";1;-12,50;\"20.01;70.01\";"
              "όπως το παρόμοιο είδος «Βίδα»;96\r\n"
              "item-account;'=Σπάγγος;'=Σπάγγος;2;0,05;;κανένα είδος με λογαριασμό δεν μοιάζει στο όνομα;0\r\n"
              "vat-account;17;;4;7,00;\"54.00;54.00.0017;54.00.1017\";το μοτίβο των άλλων συντελεστών;80\r\n");
    const ProposalsFile read = ReadProposalsCsv(csv);
    EXPECT_EQ(read.badLine, 0u);
    const std::vector<ProposalLine> expected = {
        {2, CheckCode::ClientAccount, "099999999", "30.00.00.0381"},
        {3, CheckCode::ItemAccount, A(u"Βίδα; ξύλου \"4x40\""), "20.01;70.01"},
        {5, CheckCode::VatAccount, "17", "54.00;54.00.0017;54.00.1017"},
    };
    EXPECT_EQ(read.rows, expected) << "the row without a proposal is left out";
}

// As Excel saves it back in Greek Windows: Windows-1253, no mark, fields quoted only where
// needed, a line broken inside a quoted field, rows of separators only, an edited account.
TEST(ProposalsCsv, ReadFromAnExcelFileInWindows1253) {
    const std::string csv =
        A(u"Κωδικός;Κλειδί;Όνομα;Έγγραφα;Ποσό;Πρόταση;Αιτία;Βεβαιότητα\r\n"
          u"supplier-account;'-800;;1;1,00;50.01;\"δύο\r\nγραμμές\";90\r\n"
          u";;;;;;;\r\n"
          u"item-account;Μέλι;Μέλι;1;1,00;'70.02;x;10\r\n");
    const ProposalsFile read = ReadProposalsCsv(csv);
    EXPECT_EQ(read.badLine, 0u);
    EXPECT_EQ(read.rows, (std::vector<ProposalLine>{{2, CheckCode::SupplierAccount, "-800", "50.01"},
                                                    {5, CheckCode::ItemAccount, A(u"Μέλι"), "70.02"}}));
}

TEST(ProposalsCsv, AFileThatIsNotOneIsNamedWithItsLine) {
    const struct {
        std::u16string text;
        std::size_t line;
        std::u16string why;
    } cases[] = {
        {u"Κωδικός;Έγγραφο;Ημερομηνία;Κλειδί;Περιγραφή\r\nclient-account;X-A1;2024-01-01;1;x\r\n", 1,
         u"η πρώτη γραμμή δεν είναι η επικεφαλίδα των προτάσεων (Κωδικός;Κλειδί;Όνομα;Έγγραφα;Ποσό;Πρόταση;Αιτία;"
         u"Βεβαιότητα)"},
        {u"", 1,
         u"η πρώτη γραμμή δεν είναι η επικεφαλίδα των προτάσεων (Κωδικός;Κλειδί;Όνομα;Έγγραφα;Ποσό;Πρόταση;Αιτία;"
         u"Βεβαιότητα)"},
        {u"Κωδικός;Κλειδί;Όνομα;Έγγραφα;Ποσό;Πρόταση;Αιτία;Βεβαιότητα\r\nclient-account;1;;1;1;30;x;1\r\n"
         u"rounding;1;;1;1;30;x;1\r\n",
         3, u"ο κωδικός «rounding» δεν είναι κωδικός λογαριασμού που λείπει"},
        {u"Κωδικός;Κλειδί;Όνομα;Έγγραφα;Ποσό;Πρόταση;Αιτία;Βεβαιότητα\r\nclient-account;1;;1\r\n", 2,
         u"η γραμμή έχει λιγότερες από 6 στήλες"},
        {u"Κωδικός;Κλειδί;Όνομα;Έγγραφα;Ποσό;Πρόταση;Αιτία;Βεβαιότητα\r\nclient-account;\"1;;1;1;30\r\n", 2,
         u"ένα πεδίο ανοίγει εισαγωγικά που δεν κλείνουν"},
    };
    for (const auto& c : cases) {
        std::string utf8("\xEF\xBB\xBF");
        AppendUtf8(utf8, c.text);
        const ProposalsFile read = ReadProposalsCsv(utf8);
        EXPECT_EQ(read.badLine, c.line) << utf8;
        EXPECT_EQ(Utf16ToCp1253(read.why), Utf16ToCp1253(c.why)) << utf8;
        EXPECT_TRUE(read.rows.empty());
    }
}

}  // namespace
}  // namespace dralmoft
