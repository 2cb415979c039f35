#include "company_file.h"

#include <gtest/gtest.h>

namespace demo {
namespace {

constexpr const char* kCompany = R"({
  "name": "Δοκιμή Α.Ε.",
  "clients":   [ {"id": "C1", "name": "Πελάτης Ένα", "taxId": "099999999", "number": 345},
                 {"id": "C2", "name": null, "taxId": "  ", "interface": false} ],
  "suppliers": [ {"id": "S1", "name": "Προμηθευτής", "taxId": "800000001", "number": 7} ],
  "items":     [ {"id": "I1", "code": "1001", "name": "Ελαιόλαδο"} ],
  "vatRates":  [ {"name": "Κανονικός", "rate": 24.0}, {"rate": 6.126, "interface": false} ],
  "documents": [
    {"id": "D0", "name": "ΔΑ", "series": "Δ", "number": 1, "kind": 1, "date": "2004-12-30",
     "trader": "C1", "commercial": false, "lines": [ {"item": "I1", "value": 10, "vatPercent": 24} ]},
    {"id": "D1", "name": "ΤΙΜ", "series": "A", "number": 12, "kind": 1, "date": "2004-12-31",
     "posted": true, "trader": "C1", "lines": [], "sources": ["D0"]},
    {"id": "D2", "name": "ΤΑΓ", "series": null, "number": -3, "kind": 0, "date": "2004-12-31T18:00",
     "trader": "S1", "lines": [ {"value": 100.5, "discount": 0.5, "vatPercent": 13, "interface": false} ]},
    {"id": "D3", "kind": 2, "date": "2005-01-01", "trader": null}
  ],
  "faults": [ {"operation": "IDocument.GetLines", "target": "D1", "hresult": "0x80004005", "message": "χαλασμένο"} ]
})";

TEST(CompanyFile, ReadsEveryPartOfTheFormat) {
    const Company company = ParseCompany(kCompany);
    EXPECT_EQ(company.name.value, u"Δοκιμή Α.Ε.");

    ASSERT_EQ(company.clients.size(), 2u);
    EXPECT_EQ(company.clients[0].name.value, u"Πελάτης Ένα");
    EXPECT_EQ(company.clients[0].number, 345);
    EXPECT_TRUE(company.clients[1].name.isNull);
    EXPECT_FALSE(company.clients[1].offersInterface);
    EXPECT_EQ(company.clients[1].taxId.value, u"  ");

    ASSERT_EQ(company.vatRates.size(), 2u);
    EXPECT_EQ(company.vatRates[1].rate, 6.126);
    EXPECT_TRUE(company.vatRates[1].name.value.empty());

    ASSERT_EQ(company.documents.size(), 4u);
    const Document& note = company.documents[0];
    EXPECT_FALSE(note.commercial);
    EXPECT_FALSE(note.linked);
    EXPECT_EQ(note.lines[0].item, std::optional<std::size_t>(0));
    EXPECT_EQ(note.lines[0].id, "D0#1");

    const Document& invoice = company.documents[1];
    EXPECT_TRUE(invoice.posted);
    EXPECT_TRUE(invoice.linked);
    EXPECT_EQ(invoice.sources, std::vector<std::size_t>{0});
    EXPECT_EQ(invoice.date, 38352.0);  // 31/12/2004
    ASSERT_TRUE(invoice.trader.has_value());
    EXPECT_EQ(invoice.trader->side, Side::Client);

    const Document& purchase = company.documents[2];
    EXPECT_TRUE(purchase.series.isNull);
    EXPECT_EQ(purchase.number, -3);
    EXPECT_EQ(purchase.date, 38352.75);
    EXPECT_EQ(purchase.trader->side, Side::Supplier);
    EXPECT_FALSE(purchase.lines[0].item.has_value());
    EXPECT_FALSE(purchase.lines[0].offersInterface);
    EXPECT_EQ(purchase.lines[0].discount, 0.5);

    EXPECT_FALSE(company.documents[3].trader.has_value());

    ASSERT_EQ(company.faults.size(), 1u);
    EXPECT_EQ(company.faults[0].status, static_cast<std::int32_t>(0x80004005));
    EXPECT_EQ(company.FindFault("IDocument.GetLines", "D1"), &company.faults[0]);
    EXPECT_EQ(company.FindFault("IDocument.GetLines", "D2"), nullptr);
}

TEST(CompanyFile, FaultForEveryTarget) {
    const Company company = ParseCompany(R"({"faults": [{"operation": "IDataService.GetClients",
                                                         "hresult": "0x8000FFFF"}]})");
    EXPECT_NE(company.FindFault("IDataService.GetClients", "anything"), nullptr);
    EXPECT_EQ(company.faults[0].target, "*");
}

struct BadFile {
    const char* name;
    const char* json;
    const char* error;
    friend void PrintTo(const BadFile& file, std::ostream* out) { *out << file.name; }
};

class CompanyFileErrorTest : public testing::TestWithParam<BadFile> {};

TEST_P(CompanyFileErrorTest, SaysWhereAndWhat) {
    try {
        (void)ParseCompany(GetParam().json);
        FAIL() << "accepted";
    } catch (const CompanyFileError& error) {
        EXPECT_EQ(std::string(error.what()), GetParam().error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CompanyFileErrorTest,
    testing::Values(
        BadFile{"MissingComma", "{\n  \"clients\": [\n    {\"id\": \"C1\"}\n    {\"id\": \"C2\"}\n  ]\n}",
                "line 4, column 5: expected ',' or ']', found '{'"},
        BadFile{"TrailingComma", "{\"items\": [{\"id\": \"I1\"},]}", "line 1, column 25: a trailing ',' before ']'"},
        BadFile{"ColumnCountsCharacters", "{\"name\": \"Ωμέγα\" x}",
                "line 1, column 18: expected ',' or '}', found 'x'"},
        BadFile{"Truncated", "{\"clients\": [", "line 1, column 14: expected an object, found end of file"},
        BadFile{"IllFormedUtf8", "{\"name\": \"\xC1\xE8\"}", "line 1, column 11: ill-formed UTF-8"},
        BadFile{"UnknownMember", "{\"clients\": [{\"id\": \"C1\", \"interfce\": false}]}",
                "line 1, column 27: unknown member \"interfce\" in clients[0]"},
        BadFile{"UnknownTrader", "{\"documents\": [{\"id\": \"D1\", \"date\": \"2004-01-01\", \"trader\": \"C9\"}]}",
                "line 1, column 61: document \"D1\": trader \"C9\" is neither a client nor a supplier"},
        BadFile{"UnknownItem",
                "{\"documents\": [{\"id\": \"D1\", \"date\": \"2004-01-01\", \"lines\": [{\"item\": \"I9\"}]}]}",
                "line 1, column 70: document \"D1\": item \"I9\" is not an item"},
        BadFile{"DuplicateId", "{\"clients\": [{\"id\": \"C1\"}], \"suppliers\": [{\"id\": \"C1\"}]}",
                "line 1, column 50: suppliers[0]: the id \"C1\" is used twice"},
        BadFile{"BadDate", "{\"documents\": [{\"id\": \"D1\", \"date\": \"2004-02-30\"}]}",
                "line 1, column 37: documents[0]: \"date\" is not a date of the form YYYY-MM-DD"},
        BadFile{"MissingDate", "{\"documents\": [{\"id\": \"D1\"}]}",
                "line 1, column 16: documents[0]: \"date\" is missing"},
        BadFile{"MissingId", "{\"items\": [{\"code\": \"1\"}]}", "line 1, column 12: items[0]: \"id\" is missing"},
        BadFile{"NumberTooLarge", "{\"clients\": [{\"id\": \"C1\", \"number\": 3000000000}]}",
                "line 1, column 37: clients[0]: the number does not fit in 32 bits"},
        BadFile{"FractionalNumber", "{\"clients\": [{\"id\": \"C1\", \"number\": 1.5}]}",
                "line 1, column 37: expected a whole number"},
        BadFile{"SuccessStatus", "{\"faults\": [{\"operation\": \"X.Y\", \"hresult\": \"0x00000001\"}]}",
                "line 1, column 13: faults[0]: \"hresult\" must be a failure code such as \"0x80004005\""},
        BadFile{"Garbage", "{} x", "line 1, column 4: unexpected 'x' after the end of the data"}),
    [](const testing::TestParamInfo<BadFile>& info) { return info.param.name; });

TEST(OleDate, CountsDaysFromTheEndOf1899) {
    EXPECT_EQ(dralmoft::ParseOleDate("1899-12-30"), 0.0);
    EXPECT_EQ(dralmoft::ParseOleDate("1900-01-01"), 2.0);
    EXPECT_EQ(dralmoft::ParseOleDate("2000-02-29"), 36585.0);
    EXPECT_EQ(dralmoft::ParseOleDate("2024-12-31 12:00:00"), 45657.5);
    EXPECT_FALSE(dralmoft::ParseOleDate("2023-02-29"));
    EXPECT_FALSE(dralmoft::ParseOleDate("2004-12-31T25:00"));
    EXPECT_FALSE(dralmoft::ParseOleDate("31/12/2004"));
}

TEST(Utf, RoundTripsBeyondTheBasicPlane) {
    const std::string text = "a\xCE\xB1\xE2\x82\xAC\xF0\x9F\x98\x80";  // a α € 😀
    EXPECT_EQ(Utf8ToUtf16(text), u"aα€😀");
    EXPECT_EQ(Utf16ToUtf8(u"aα€😀"), text);
}

}  // namespace
}  // namespace demo
