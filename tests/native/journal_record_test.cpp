#include "export/journal_record.h"

#include <gtest/gtest.h>

namespace dralmoft {
namespace {

DocumentFields Example(std::int32_t kind) {
    return {"A", 12, kind, 345, "T1", "31/12/2004", DocumentReference("X", "A", 12), "X", 38352.0, {}, {}, {}};
}

// A document's records of one VAT group: its VAT record, its item record, its trader record.
struct Composed {
    std::string vat;
    std::string item;
    std::string trader;
};

Composed Compose(const DocumentFields& document, double net, double vat, std::string_view vatAccount,
                 std::string_view itemAccount, std::string_view traderAccount, std::string_view separator = ";") {
    DocumentRecords records;
    records.Begin(document, separator);
    Composed composed;
    records.AppendGroupHead(composed.vat, net, vat);
    composed.item = composed.vat;
    records.AppendVatTail(composed.vat, vat, vatAccount);
    records.AppendItemTail(composed.item, net, itemAccount);
    records.AppendTraderRecord(composed.trader, net + vat, vat, traderAccount);
    return composed;
}

// Kind 1 is a sale; every other kind a purchase, and field 12 of the trader record is 1
// for kind 0 only.
struct KindExample {
    std::int32_t kind;
    const char* vat;
    const char* item;
    const char* trader;
};

class JournalRecordKinds : public testing::TestWithParam<KindExample> {};

TEST_P(JournalRecordKinds, ComeOutByteForByte) {
    const KindExample& example = GetParam();
    const bool sale = IsSale(example.kind);
    const Composed records = Compose(Example(example.kind), 100.0, 19.0, VatAccountFor("K;54.01;54.02", sale),
                                     ItemAccountFor("64.00;70.00", sale), sale ? "30.00.001" : "50.00.001");
    EXPECT_EQ(records.vat, example.vat);
    EXPECT_EQ(records.item, example.item);
    EXPECT_EQ(records.trader, example.trader);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, JournalRecordKinds,
    testing::Values(
        KindExample{1, "A12;13;1;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;54.02;1;19.00;X-A12;X-A12;;;;;;\r\n",
                    "A12;13;1;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;70.00;1;100.00;X-A12;X-A12;;;;;;\r\n",
                    "A12;13;1;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;30.00.001;0;119.00;X-A12;X-A12;;;;;;\r\n"},
        KindExample{0, "A12;12;2;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;54.01;0;19.00;X-A12;X-A12;;;;;;\r\n",
                    "A12;12;2;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;64.00;0;100.00;X-A12;X-A12;;;;;;\r\n",
                    "A12;12;2;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;50.00.001;1;119.00;X-A12;X-A12;;;;;;\r\n"},
        KindExample{2, "A12;12;2;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;54.01;2;19.00;X-A12;X-A12;;;;;;\r\n",
                    "A12;12;2;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;64.00;2;100.00;X-A12;X-A12;;;;;;\r\n",
                    "A12;12;2;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;50.00.001;0;119.00;X-A12;X-A12;;;;;;\r\n"}),
    [](const testing::TestParamInfo<KindExample>& info) { return "Kind" + std::to_string(info.param.kind); });

TEST(JournalRecord, SeparatorsOfSeveralCharactersOrOneSpace) {
    const DocumentFields sale = Example(1);
    EXPECT_EQ(
        Compose(sale, 100.0, 19.0, "", "", "30", "||").trader,
        "A12||13||1||345||T1||31/12/2004||X-A12||X-A12||100.00||19.00||30||0||119.00||X-A12||X-A12||||||||||||\r\n");
    EXPECT_EQ(Compose(sale, 100.0, 19.0, "", "", "30", " ").trader,
              "A12 13 1 345 T1 31/12/2004 X-A12 X-A12 100.00 19.00 30 0 119.00 X-A12 X-A12      \r\n");
    // An account holding the separator is written unchanged.
    EXPECT_EQ(Compose(sale, 100.0, 19.0, "", "", "30;01").trader,
              "A12;13;1;345;T1;31/12/2004;X-A12;X-A12;100.00;19.00;30;01;0;119.00;X-A12;X-A12;;;;;;\r\n");
}

TEST(JournalRecord, AmountsRoundOnlyWhenWrittenAndKeepTheirSign) {
    const DocumentFields credit = {"\xD0", -3,      1,  -1, "", "1/1/2005", DocumentReference("", "", 0),
                                   "",     38353.0, {}, {}, {}};
    EXPECT_EQ(credit.reference, "-0");
    const Composed records = Compose(credit, -12.5, -0.004, "", "", "");
    EXPECT_EQ(records.vat, "\xD0-3;13;1;-1;;1/1/2005;-0;-0;-12.50;-0.00;;1;-0.00;-0;-0;;;;;;\r\n");
    // Gross 21.0084 less VAT 1.0004: 20.008, written 20.01.
    DocumentRecords trader;
    trader.Begin(credit, ";");
    std::string text;
    trader.AppendTraderRecord(text, 21.0084, 1.0004, "");
    EXPECT_EQ(text, "\xD0-3;13;1;-1;;1/1/2005;-0;-0;20.01;1.00;;0;21.01;-0;-0;;;;;;\r\n");
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
