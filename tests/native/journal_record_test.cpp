#include "export/journal_record.h"

#include <gtest/gtest.h>

namespace dralmoft {
namespace {

DocumentFields Example(std::int32_t kind) {
    return {"A", 12, kind, 345, "T1", "31/12/2004", DocumentReference("X", "A", 12), "X", 38352.0, {}, {}, {}};
}

TEST(JournalRecord, SaleExampleComesOutByteForByte) {
    const DocumentFields sale = Example(1);
    const std::string head = GroupHead(sale, 100.0, 19.0, ";");
    EXPECT_EQ(VatRecord(head, sale, 19.0, VatAccountFor("K;54.01;54.02", true), ";"),
              "A12;13;1;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;54.02;1;19.00;X-A12;X-A12;;;;;;\r\n");
    EXPECT_EQ(ItemRecord(head, sale, 100.0, ItemAccountFor("64.00;70.00", true), ";"),
              "A12;13;1;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;70.00;1;100.00;X-A12;X-A12;;;;;;\r\n");
    EXPECT_EQ(TraderRecord(sale, 119.0, 19.0, "30.00.001", ";"),
              "A12;13;1;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;30.00.001;0;119.00;X-A12;X-A12;;;;;;\r\n");
}

TEST(JournalRecord, PurchaseExampleComesOutByteForByte) {
    const DocumentFields purchase = Example(0);
    const std::string head = GroupHead(purchase, 100.0, 19.0, ";");
    EXPECT_EQ(VatRecord(head, purchase, 19.0, VatAccountFor("K;54.01;54.02", false), ";"),
              "A12;12;2;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;54.01;0;19.00;X-A12;X-A12;;;;;;\r\n");
    EXPECT_EQ(ItemRecord(head, purchase, 100.0, ItemAccountFor("64.00;70.00", false), ";"),
              "A12;12;2;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;64.00;0;100.00;X-A12;X-A12;;;;;;\r\n");
    EXPECT_EQ(TraderRecord(purchase, 119.0, 19.0, "50.00.001", ";"),
              "A12;12;2;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;50.00.001;1;119.00;X-A12;X-A12;;;;;;\r\n");
}

TEST(JournalRecord, KindTwoPrintsItselfAndZeroInTheTraderRecord) {
    const DocumentFields purchase = Example(2);
    const std::string head = GroupHead(purchase, 1.0, 0.0, ";");
    EXPECT_EQ(VatRecord(head, purchase, 0.0, "", ";"),
              "A12;12;2;345;T1;31/12/2004;X-A12;X-A12;1.00;0.00;;2;0.00;X-A12;X-A12;;;;;;\r\n");
    EXPECT_EQ(TraderRecord(purchase, 1.0, 0.0, "", ";"),
              "A12;12;2;345;T1;31/12/2004;X-A12;X-A12;1.00;0.00;;0;1.00;X-A12;X-A12;;;;;;\r\n");
}

TEST(JournalRecord, SeparatorsOfSeveralCharactersOrOneSpace) {
    const DocumentFields sale = Example(1);
    EXPECT_EQ(
        TraderRecord(sale, 119.0, 19.0, "30", "||"),
        "A12||13||1||345||T1||31/12/2004||X-A12||X-A12||100.00||19.00||30||0||119.00||X-A12||X-A12||||||||||||\r\n");
    EXPECT_EQ(TraderRecord(sale, 119.0, 19.0, "30", " "),
              "A12 13 1 345 T1 31/12/2004 X-A12 X-A12 100.00 19.00 30 0 119.00 X-A12 X-A12      \r\n");
    // An account holding the separator is written unchanged.
    EXPECT_EQ(TraderRecord(sale, 119.0, 19.0, "30;01", ";"),
              "A12;13;1;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;30;01;0;119.00;X-A12;X-A12;;;;;;\r\n");
}

TEST(JournalRecord, AmountsRoundOnlyWhenWrittenAndKeepTheirSign) {
    const DocumentFields credit = {"\xD0", -3,      1,  -1, "", "1/1/2005", DocumentReference("", "", 0),
                                   "",     38353.0, {}, {}, {}};
    EXPECT_EQ(credit.reference, "-0");
    EXPECT_EQ(GroupHead(credit, -12.5, -0.004, ";"), "\xD0-3;13;1;-1;;1/1/2005;-0;-0;-12.50;-0.00;");
    // Gross 21.0084 less VAT 1.0004: 20.008, written 20.01.
    EXPECT_EQ(TraderRecord(credit, 21.0084, 1.0004, "", ";"),
              "\xD0-3;13;1;-1;;1/1/2005;-0;-0;20.01;1.00;;0;21.01;-0;-0;;;;;;\r\n");
}

TEST(JournalRecord, AccountCuts) {
    EXPECT_EQ(PartAfter("P;S"), "S");
    EXPECT_EQ(PartAfter("S"), "S");
    EXPECT_EQ(PartBefore("P;S"), "P");
    EXPECT_EQ(PartBefore("S"), "");
    EXPECT_EQ(PartAfter("a;b;c"), "b;c");
    // VAT: X;P;S gives S for sales, P for purchases; P;S serves sales only.
    EXPECT_EQ(VatAccountFor("54.00;54.00.0024;54.00.1024", true), "54.00.1024");
    EXPECT_EQ(VatAccountFor("54.00;54.00.0024;54.00.1024", false), "54.00.0024");
    EXPECT_EQ(VatAccountFor("P;S", true), "S");
    EXPECT_EQ(VatAccountFor("P;S", false), "");
    EXPECT_EQ(VatAccountFor("54.00", true), "54.00");
    EXPECT_EQ(VatAccountFor("54.00", false), "");
    EXPECT_EQ(ItemAccountFor("20.00;70.00", false), "20.00");
    EXPECT_EQ(ItemAccountFor("70.00", false), "");
    EXPECT_EQ(ItemAccountFor("", true), "");
}

}  // namespace
}  // namespace dralmoft
