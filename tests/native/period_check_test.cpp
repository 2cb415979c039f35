#include "check/period_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "base/code_page.h"
#include "check/check_report_csv.h"
#include "company_documents.h"
#include "company_file.h"
#include "company_generator.h"
#include "export/export_to_file.h"
#include "memory_document_source.h"
#include "memory_file_system.h"

namespace dralmoft {
namespace {

using test::MemoryDocument;
using test::MemoryDocumentSource;
using test::MemoryFileSystem;

MemoryDocument Sale(std::string series, std::int32_t number, std::vector<test::MemoryLine> lines) {
    MemoryDocument document;
    document.series = std::move(series);
    document.number = number;
    document.taxId = "T2";
    document.lines = std::move(lines);
    return document;
}

// A problem's line: its code, the fields given, and its description.
std::string Row(CheckCode code, const std::string& fields) {
    std::string line(CheckCodeName(code));
    line.append(";").append(fields).append(";");
    AppendUtf8(line, CheckDescription(code));
    return line + "\r\n";
}

// The report's missing keys, each "code key: documents sides amount rate=amount...".
std::string MissingText(const CheckReport& report) {
    std::string text;
    for (const MissingKey& key : report.missing) {
        text += (text.empty() ? "" : " | ") + std::string(CheckCodeName(key.code)) + " ";
        AppendUtf8(text, report.Key(key));
        text += ": " + std::to_string(key.documents) + " " + (key.purchases ? "P" : "") + (key.sales ? "S" : "") + " " +
                CentsText(key.amount);
        for (const RateAmount& rate : key.rates) text += " " + RateText(rate.rate) + "=" + CentsText(rate.amount);
    }
    return text;
}

std::u16string AsCodeName(CheckCode code) { return Cp1253ToUtf16(CheckCodeName(code)); }

class PeriodCheckTest : public testing::Test {
protected:
    PeriodCheckTest() {
        m_clients["T2"] = "30-00";
        m_items["I1"] = "70-P;70-S";
        m_items["I2"] = ";70-S2";
        m_vat[24.0] = "X;54-P24;54-S24";
        m_vat[0.0] = "X;54-P0;54-S0";
        m_vat[13.0] = "X;54-P13;54-S13";
    }

    // Runs the check over the source, writing `out.txt` (or nothing when `withFile` is false).
    CheckReport Check(bool keepCodePage = true, std::string separator = ";", bool withFile = false) {
        PeriodCheck check(keepCodePage);
        const ExportRequest request{38000, 39000, u"out.txt", std::move(separator), keepCodePage};
        const ExportServices services{m_source, {m_clients, m_suppliers, m_items, m_vat},
                                      m_files,  [this](double) { return m_day; },
                                      nullptr,  m_observer,
                                      &check};
        m_outcome = withFile ? ExportToFile(request, services) : CheckPeriod(request, services);
        return check.Report();
    }

    MemoryDocumentSource m_source;
    MemoryFileSystem m_files;
    AccountMap m_clients, m_suppliers, m_items;
    VatAccountMap m_vat;
    DocumentObserver* m_observer = nullptr;
    ExportOutcome m_outcome;
    std::string m_day = "31/12/2004";
};

// A period with every problem the check knows, and the report's exact bytes: the rows in
// the order of the records and their fields, one per document, code and key; the
// totals of the amounts as written.
TEST_F(PeriodCheckTest, EveryProblemComesOutInTheReportByteForByte) {
    // 1: a client without an account; 6 % has no VAT account.
    MemoryDocument noAccounts = Sale("A", 1, {{true, 100.0, 0.0, 24.0, "I1"}, {true, 10.0, 0.0, 6.0, "I1"}});
    noAccounts.taxId = "T1";
    // 2: a purchase whose supplier has no account and whose item has only a sales one.
    MemoryDocument purchase = Sale("A", 2, {{true, 50.0, 0.0, 24.0, "I2"}, {true, 50.0, 0.0, 24.0, "I2"}});
    purchase.kind = 2;
    purchase.taxId = "S9";
    // 3: a tax id with a character 1253 lacks (Ж) and one it best-fits (é: not reported),
    // a series holding the separator, a name holding a line break.
    MemoryDocument texts = Sale("", 3, {{true, 10.0, 0.0, 24.0, "I1"}});
    texts.serverSeries = u"Α;Β";
    texts.serverName = u"ΤΙΜ\r\n";
    texts.serverTaxId = u"ÉЖ\"1";
    m_clients["E?\"1"] = "30-01";
    // 4: an amount too large for the ledger, and one that is not a number.
    MemoryDocument amounts = Sale("A", 4, {{true, 1e13, 0.0, 0.0, "I1"}});
    MemoryDocument notANumber = Sale("A", 5, {{true, std::nan(""), 0.0, 24.0, "I1"}});
    // 6: amounts whose rounded parts add up to a cent less than the trader's.
    MemoryDocument rounding = Sale("A", 6, {{true, 1.004, 0.0, 0.0, "I1"}, {true, 1.004, 0.0, 13.0, "I1"}});
    MemoryDocument notCommercial;
    notCommercial.commercial = false;
    MemoryDocument noTrader = Sale("A", 8, {{true, 1.0, 0.0, 24.0, "I1"}});
    noTrader.hasTrader = false;
    MemoryDocument noLines = Sale("A", 9, {});
    noLines.date = 38353.0;
    m_source.documents = {noAccounts, purchase, texts, amounts, notANumber, rounding, notCommercial, noTrader, noLines};

    const CheckReport report = Check();
    ASSERT_EQ(m_outcome.state, ExportOutcome::State::Checked);
    EXPECT_EQ(m_files.files.size(), 0u) << "a check writes no file";
    EXPECT_EQ(report.BlockingCount(), 10u);
    const auto counts = report.DocumentCounts();
    EXPECT_EQ(counts[static_cast<std::size_t>(CheckCode::BadAmount)], 2u);
    EXPECT_EQ(counts[static_cast<std::size_t>(CheckCode::SeparatorInField)], 1u) << "two rows, one document";
    EXPECT_EQ(report.amountsLeftOut, 5u) << "1e13 twice, NaN three times";

    const std::string texts3 = "\"ΤΙΜ\r\n-Α;Β3\";2004-12-31;";
    const std::string expected =
        "\xEF\xBB\xBF"
        "Κωδικός;Έγγραφο;Ημερομηνία;Κλειδί;Περιγραφή\r\n" +
        Row(CheckCode::VatAccount, "X-A1;2004-12-31;6") + Row(CheckCode::ClientAccount, "X-A1;2004-12-31;T1") +
        Row(CheckCode::ItemAccount, "X-A2;2004-12-31;I2") + Row(CheckCode::SupplierAccount, "X-A2;2004-12-31;S9") +
        Row(CheckCode::SeparatorInField, texts3 + "\"Α;Β3\"") + Row(CheckCode::Unencodable, texts3 + "\"ÉЖ\"\"1\"") +
        Row(CheckCode::SeparatorInField, texts3 + "\"ΤΙΜ\r\n-Α;Β3\"") +
        Row(CheckCode::LineBreakInField, texts3 + "\"ΤΙΜ\r\n-Α;Β3\"") +
        Row(CheckCode::BadAmount, "X-A4;2004-12-31;10000000000000.00") +
        Row(CheckCode::BadAmount, "X-A5;2004-12-31;nan") + Row(CheckCode::Rounding, "X-A6;2004-12-31;2.14 2.13") +
        Row(CheckCode::NotCommercial, "#7;;") + Row(CheckCode::NoTrader, "X-A8;;") +
        "no-lines;X-A9;2005-01-01;;Το παραστατικό δεν έχει γραμμές: δεν εξάγεται.\r\n"
        "\r\n"
        "Είδος;Συντελεστής;Έγγραφα;Καθαρή αξία;ΦΠΑ;Σύνολο;Συναλλασσόμενοι\r\n"
        "Πωλήσεις;0;2;1,00;0,00;1,00;\r\n"
        "Πωλήσεις;6;1;10,00;0,60;10,60;\r\n"
        "Πωλήσεις;13;1;1,00;0,13;1,13;\r\n"
        "Πωλήσεις;24;3;110,00;26,40;136,40;\r\n"
        "Πωλήσεις;;5;122,00;27,13;149,13;149,14\r\n"
        "Αγορές;24;1;100,00;24,00;124,00;\r\n"
        "Αγορές;;1;100,00;24,00;124,00;124,00\r\n"
        "\r\n"
        "Λογαριασμός;Εγγραφές;Ποσό\r\n"
        ";4;359,20\r\n"
        "30-00;3;2,14\r\n"
        "30-01;1;12,40\r\n"
        "54-P24;1;24,00\r\n"
        "54-S0;2;0,00\r\n"
        "54-S13;1;0,13\r\n"
        "54-S24;3;26,40\r\n"
        "70-S;7;122,00\r\n";
    EXPECT_EQ(CheckReportCsv(report), expected);

    // Each key without an account once, with what its documents need and carry.
    EXPECT_EQ(MissingText(report),
              "vat-account 6: 1 S 0.60 | client-account T1: 1 S 134.60 | "
              "item-account I2: 1 P 100.00 24=100.00 | supplier-account S9: 1 P 124.00");

    // Saved whole, or not at all: a failed replace leaves the earlier file and nothing else.
    EXPECT_TRUE(SaveCheckReport(m_files, u"r.csv", report).ok);
    EXPECT_EQ(m_files.files, (std::map<std::u16string, std::string>{{u"r.csv", expected}}));
    m_files.files[u"r.csv"] = "earlier";
    m_files.failStep = m_files.steps + 2;
    EXPECT_FALSE(SaveCheckReport(m_files, u"r.csv", report).ok);
    EXPECT_EQ(m_files.files, (std::map<std::u16string, std::string>{{u"r.csv", "earlier"}}));
}

// The OEM file loses what code page 737 lacks: a server text with the euro sign (which
// 1253 holds) and an account text with it are reported; a best fit (•) is not.
TEST_F(PeriodCheckTest, TheOemFileReportsWhat737CannotHold) {
    MemoryDocument document = Sale("\x80", 1, {{true, 10.0, 0.0, 24.0, "I1"}});
    document.name = "\x95";  // •
    m_source.documents = {document};
    m_clients["T2"] = "30-\x80";
    const auto keys = [](const CheckReport& report) {
        std::vector<std::u16string> found;
        for (const CheckProblem& problem : report.problems) found.emplace_back(report.Key(problem));
        return found;
    };
    EXPECT_EQ(keys(Check(false)), (std::vector<std::u16string>{u"€", u"30-€"}));
    EXPECT_EQ(keys(Check(true)), std::vector<std::u16string>{}) << "1253 holds them all";
}

// A separator of several characters, found whole inside a field; numbers are fields too.
TEST_F(PeriodCheckTest, ASeparatorIsLookedForInEveryField) {
    m_source.documents = {Sale("A", 12, {{true, 10.0, 0.0, 24.0, "I1"}})};
    const auto problems = [this](std::string separator) {
        std::vector<std::u16string> found;
        const CheckReport report = Check(true, std::move(separator));
        for (const CheckProblem& problem : report.problems)
            found.push_back(std::u16string(AsCodeName(problem.code)) + u" " + std::u16string(report.Key(problem)));
        return found;
    };
    EXPECT_EQ(problems("-S"), (std::vector<std::u16string>{u"separator-in-field 54-S24", u"separator-in-field 70-S"}));
    EXPECT_EQ(problems("12"), (std::vector<std::u16string>{u"separator-in-field A12", u"separator-in-field 31/12/2004",
                                                           u"separator-in-field X-A12", u"separator-in-field 12.40"}));
    EXPECT_EQ(problems(".4"), (std::vector<std::u16string>{u"separator-in-field 2.40", u"separator-in-field 12.40"}));
    EXPECT_EQ(problems("|"), std::vector<std::u16string>{});
}

// A separator or a line break in the source of each field of each record kind is found in
// the field it reaches: the check reads every field the writer writes.
struct FieldSource {
    const char* name;
    const char* separator;
    void (*arrange)(MemoryDocument& document, std::string& day, AccountMap& clients, AccountMap& suppliers,
                    AccountMap& items, VatAccountMap& vat);
    std::vector<std::u16string> rows;  // "code key"
};

class FieldSources : public PeriodCheckTest, public testing::WithParamInterface<FieldSource> {};

TEST_P(FieldSources, ReachTheCheckThroughTheirField) {
    MemoryDocument document = Sale("A", 12, {{true, 10.0, 0.0, 24.0, "I1"}});
    GetParam().arrange(document, m_day, m_clients, m_suppliers, m_items, m_vat);
    m_source.documents = {document};
    std::vector<std::u16string> rows;
    const CheckReport report = Check(true, GetParam().separator);
    for (const CheckProblem& problem : report.problems)
        rows.push_back(AsCodeName(problem.code) + u" " + std::u16string(report.Key(problem)));
    EXPECT_EQ(rows, GetParam().rows);
}

using Maps = AccountMap;
const FieldSource kFieldSources[] = {
    {"SeriesSeparator",
     ";",
     [](MemoryDocument& d, std::string&, Maps&, Maps&, Maps&, VatAccountMap&) { d.series = "A;B"; },
     {u"separator-in-field A;B12", u"separator-in-field X-A;B12"}},
    {"SeriesLineBreak",
     ";",
     [](MemoryDocument& d, std::string&, Maps&, Maps&, Maps&, VatAccountMap&) { d.series = "A\r\nB"; },
     {u"line-break-in-field A\r\nB12", u"line-break-in-field X-A\r\nB12"}},
    {"TaxIdSeparator",
     ";",
     [](MemoryDocument& d, std::string&, Maps& clients, Maps&, Maps&, VatAccountMap&) {
         d.taxId = "T;2";
         clients["T;2"] = "30-00";
     },
     {u"separator-in-field T;2"}},
    {"TaxIdLineBreak",
     ";",
     [](MemoryDocument& d, std::string&, Maps& clients, Maps&, Maps&, VatAccountMap&) {
         d.taxId = "T\n2";
         clients["T\n2"] = "30-00";
     },
     {u"line-break-in-field T\n2"}},
    {"DateSeparator",
     ";",
     [](MemoryDocument&, std::string& day, Maps&, Maps&, Maps&, VatAccountMap&) { day = "31;12"; },
     {u"separator-in-field 31;12"}},
    {"DateLineBreak",
     ";",
     [](MemoryDocument&, std::string& day, Maps&, Maps&, Maps&, VatAccountMap&) { day = "31\r12"; },
     {u"line-break-in-field 31\r12"}},
    {"NameSeparator",
     ";",
     [](MemoryDocument& d, std::string&, Maps&, Maps&, Maps&, VatAccountMap&) { d.name = "X;Y"; },
     {u"separator-in-field X;Y-A12"}},
    {"NameLineBreak",
     ";",
     [](MemoryDocument& d, std::string&, Maps&, Maps&, Maps&, VatAccountMap&) { d.name = "X\nY"; },
     {u"line-break-in-field X\nY-A12"}},
    {"VatRecordAccountSeparator",
     ";",
     [](MemoryDocument&, std::string&, Maps&, Maps&, Maps&, VatAccountMap& vat) { vat[24.0] = "X;P;S;T"; },
     {u"separator-in-field S;T"}},
    {"VatRecordAccountLineBreak",
     ";",
     [](MemoryDocument&, std::string&, Maps&, Maps&, Maps&, VatAccountMap& vat) { vat[24.0] = "X;P;S\r\nT"; },
     {u"line-break-in-field S\r\nT"}},
    {"ItemRecordAccountSeparator",
     ";",
     [](MemoryDocument&, std::string&, Maps&, Maps&, Maps& items, VatAccountMap&) { items["I1"] = "P;S;T"; },
     {u"separator-in-field S;T"}},
    {"ItemRecordAccountLineBreak",
     ";",
     [](MemoryDocument&, std::string&, Maps&, Maps&, Maps& items, VatAccountMap&) { items["I1"] = "P;S\nT"; },
     {u"line-break-in-field S\nT"}},
    {"ClientRecordAccountSeparator",
     ";",
     [](MemoryDocument&, std::string&, Maps& clients, Maps&, Maps&, VatAccountMap&) { clients["T2"] = "30;01"; },
     {u"separator-in-field 30;01"}},
    {"SupplierRecordAccountLineBreak",
     ";",
     [](MemoryDocument& d, std::string&, Maps&, Maps& suppliers, Maps& items, VatAccountMap&) {
         d.kind = 0;
         suppliers["T2"] = "50\r\n01";
         items["I1"] = "70-P;70-S";
     },
     {u"line-break-in-field 50\r\n01"}},
    {"TraderNumberHoldsTheSeparator",
     "45",
     [](MemoryDocument&, std::string&, Maps&, Maps&, Maps&, VatAccountMap&) {},
     {u"separator-in-field 345"}},
    {"RecordFlagHoldsTheSeparator",
     "7",
     [](MemoryDocument& d, std::string&, Maps&, Maps& suppliers, Maps& items, VatAccountMap&) {
         d.kind = 7;  // a purchase, written as it is in field 12 of its group records
         suppliers["T2"] = "50";
         items["I1"] = "60;61";
     },
     {u"separator-in-field 7"}},
};
INSTANTIATE_TEST_SUITE_P(Check, FieldSources, testing::ValuesIn(kFieldSources),
                         [](const testing::TestParamInfo<FieldSource>& info) { return std::string(info.param.name); });

// Every document's records as the file holds them, and what the check made of them.
class Recorder final : public DocumentObserver {
public:
    struct Seen {
        std::vector<std::string> records;
        std::vector<double> rates;  // of the group record pairs, in order
    };
    std::vector<Seen> kept;

    bool Keep(const ComposedDocument& document) override {
        if (++m_count % 7 == 0) return false;  // left out: neither written nor checked
        Seen& seen = kept.emplace_back();
        for (std::size_t record = 0; record < document.RecordCount(); ++record)
            seen.records.emplace_back(document.Record(record));
        for (const ComposedGroup& group : document.Groups()) seen.rates.push_back(group.percent);
        return true;
    }

private:
    std::size_t m_count = 0;
};

std::optional<std::int64_t> CentsOf(const std::string& amount) {
    const std::size_t point = amount.find('.');
    if (point == std::string::npos || point + 3 != amount.size() || amount.find('e') != std::string::npos)
        return std::nullopt;
    const bool negative = amount[0] == '-';
    const std::int64_t cents =
        std::stoll(amount.substr(negative, point - negative)) * 100 + std::stoll(amount.substr(point + 1));
    return negative ? -cents : cents;
}

// On generated companies, with some accounts missing: every total is the sum of the amounts
// the file's records carry, read back from their text.
TEST_F(PeriodCheckTest, TotalsAreTheSumsOfTheRecordsAsWritten) {
    for (const std::uint64_t seed : {1u, 2u, 3u}) {
        demo::GeneratorOptions options;
        options.seed = seed;
        options.documents = 1500;
        const demo::Company company = demo::ParseCompany(demo::GenerateCompany(options));
        m_source.documents = test::DocumentsOf(company);
        m_clients.Clear();
        m_items.Clear();
        for (std::size_t i = 0; i < company.clients.size(); i += 2)
            m_clients[Utf16ToCp1253(company.clients[i].taxId.value)] = "30-" + std::to_string(i % 10);
        for (std::size_t i = 0; i < company.items.size(); i += 3)
            m_items[Utf16ToCp1253(company.items[i].name.value)] =
                "70-" + std::to_string(i % 4) + ";71-" + std::to_string(i % 5);
        Recorder recorder;
        m_observer = &recorder;
        const CheckReport report = Check(true, "\x01", true);
        ASSERT_EQ(m_outcome.state, ExportOutcome::State::Pending) << seed;

        KindTotal sales, purchases;
        std::map<std::string, std::pair<std::size_t, std::int64_t>> accounts;
        for (const Recorder::Seen& document : recorder.kept) {
            std::vector<std::vector<std::string>> records;
            for (const std::string& record : document.records) {
                std::vector<std::string>& fields = records.emplace_back();
                for (std::size_t at = 0, end; (end = record.find('\x01', at)) != std::string::npos; at = end + 1)
                    fields.push_back(record.substr(at, end - at));
                ASSERT_EQ(fields.size(), 20u) << record;
            }
            KindTotal& kind = records[0][1] == "13" ? sales : purchases;
            ++kind.documents;
            for (std::size_t group = 0; group < document.rates.size(); ++group) {
                const auto rate = std::find_if(kind.rates.begin(), kind.rates.end(),
                                               [&](const RateTotal& r) { return r.rate == document.rates[group]; });
                RateTotal& total =
                    rate != kind.rates.end() ? *rate : kind.rates.emplace_back(RateTotal{document.rates[group]});
                ++total.documents;
                total.vat += CentsOf(records[2 * group][12]).value();
                total.net += CentsOf(records[2 * group + 1][12]).value();
            }
            kind.traders += CentsOf(records.back()[12]).value();
            for (const auto& fields : records) {
                ++accounts[fields[10]].first;
                accounts[fields[10]].second += CentsOf(fields[12]).value();
            }
        }
        for (auto [expected, actual] : {std::pair{&sales, &report.sales}, std::pair{&purchases, &report.purchases}}) {
            std::sort(expected->rates.begin(), expected->rates.end(),
                      [](const RateTotal& a, const RateTotal& b) { return a.rate < b.rate; });
            ASSERT_EQ(expected->rates.size(), actual->rates.size());
            for (std::size_t i = 0; i < expected->rates.size(); ++i) {
                EXPECT_EQ(expected->rates[i].rate, actual->rates[i].rate);
                EXPECT_EQ(expected->rates[i].documents, actual->rates[i].documents);
                EXPECT_EQ(expected->rates[i].net, actual->rates[i].net);
                EXPECT_EQ(expected->rates[i].vat, actual->rates[i].vat);
                expected->net += expected->rates[i].net;
                expected->vat += expected->rates[i].vat;
            }
            EXPECT_EQ(expected->documents, actual->documents);
            EXPECT_EQ(expected->net, actual->net);
            EXPECT_EQ(expected->vat, actual->vat);
            EXPECT_EQ(expected->traders, actual->traders);
        }
        ASSERT_EQ(accounts.size(), report.accounts.size());
        auto account = report.accounts.begin();
        for (const auto& [text, total] : accounts) {
            EXPECT_EQ(account->account, text);
            EXPECT_EQ(account->records, total.first);
            EXPECT_EQ(account->amount, total.second);
            ++account;
        }
        EXPECT_GT(report.BlockingCount(), 0u) << "half the clients and two thirds of the items have no account";
        EXPECT_EQ(report.amountsLeftOut, 0u);
        // The records without an account are their missing keys' amounts, and each key's
        // documents are its rows.
        std::int64_t missing = 0;
        std::map<std::pair<CheckCode, std::u16string>, std::size_t> rows;
        for (const CheckProblem& problem : report.problems)
            if (IsAccountProblem(problem.code)) ++rows[{problem.code, std::u16string(report.Key(problem))}];
        for (const MissingKey& key : report.missing) {
            missing += key.amount;
            const std::pair<CheckCode, std::u16string> id{key.code, report.Key(key)};
            EXPECT_EQ(key.documents, rows[id]) << seed;
            std::int64_t byRate = 0;
            for (const RateAmount& rate : key.rates) byRate += rate.amount;
            if (key.code == CheckCode::ItemAccount) {
                EXPECT_EQ(byRate, key.amount) << seed;
            }
        }
        EXPECT_EQ(rows.size(), report.missing.size());
        EXPECT_EQ(missing, accounts[""].second) << seed;
    }
}

}  // namespace
}  // namespace dralmoft
