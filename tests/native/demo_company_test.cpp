// The demo company in demo/ must stay a valid company file with what the demo needs.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "company_file.h"

namespace demo {
namespace {

std::string ReadDemoFile(const char* name) {
    std::ifstream file(std::string(DRALMOFT_SOURCE_DIR) + "/demo/" + name, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

TEST(DemoCompany, IsValidAndHasEveryKindOfDocument) {
    const Company company = ParseCompany(ReadDemoFile("company.json"));
    EXPECT_GE(company.clients.size(), 12u);
    EXPECT_GE(company.suppliers.size(), 8u);
    EXPECT_GE(company.items.size(), 25u);
    std::set<double> rates;
    for (const VatRate& rate : company.vatRates) rates.insert(rate.rate);
    EXPECT_EQ(rates, (std::set<double>{4, 6, 9, 13, 17, 24}));

    const auto& docs = company.documents;
    auto count = [&](auto predicate) { return std::count_if(docs.begin(), docs.end(), predicate); };
    EXPECT_GT(count([](const Document& d) {
                  return d.kind == 1 && d.commercial && !d.lines.empty() && d.lines[0].value > 0;
              }),
              20);
    EXPECT_GT(count([](const Document& d) { return d.kind == 1 && !d.lines.empty() && d.lines[0].value < 0; }), 0);
    EXPECT_GT(count([](const Document& d) { return d.kind != 1; }), 10);
    EXPECT_GT(count([](const Document& d) { return d.linked && d.sources.size() >= 2 && d.lines.empty(); }), 0);
    EXPECT_GT(count([](const Document& d) { return !d.posted; }), 0);
    EXPECT_GT(count([](const Document& d) {
                  std::set<double> percents;
                  for (const Line& line : d.lines) percents.insert(line.vatPercent);
                  return percents.size() >= 2 &&
                         std::any_of(d.lines.begin(), d.lines.end(), [](const Line& l) { return l.discount != 0; });
              }),
              0);
}

TEST(DemoCompany, AccountFilesAreWindows1253WithCrLf) {
    for (const char* name : {"client.txt", "supplier.txt", "products.txt", "fpa.txt"}) {
        const std::string content = ReadDemoFile(name);
        ASSERT_FALSE(content.empty()) << name;
        EXPECT_EQ(content.substr(content.size() - 2), "\r\n") << name;
        for (std::size_t at = content.find('\n'); at != std::string::npos; at = content.find('\n', at + 1))
            EXPECT_EQ(content[at - 1], '\r') << name;
    }
    EXPECT_EQ(ReadDemoFile("fpa.txt").substr(0, 37), "4.000000;54.00;54.00.0004;54.00.1004\r");
    // "Απορρυπαντικό" in 1253, not UTF-8.
    EXPECT_EQ(ReadDemoFile("products.txt").substr(0, 13), "\xC1\xF0\xEF\xF1\xF1\xF5\xF0\xE1\xED\xF4\xE9\xEA\xFC");
}

}  // namespace
}  // namespace demo
