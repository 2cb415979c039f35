#include "company_generator.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "company_file.h"

namespace demo {
namespace {

TEST(CompanyGenerator, SameSeedSameBytesOtherSeedOtherBytes) {
    GeneratorOptions options;
    options.documents = 300;
    const std::string first = GenerateCompany(options);
    EXPECT_EQ(GenerateCompany(options), first);
    options.seed = 2;
    EXPECT_NE(GenerateCompany(options), first);
}

TEST(CompanyGenerator, WritesAValidCompanyWithEveryFeature) {
    GeneratorOptions options;
    options.documents = 3000;
    const Company company = ParseCompany(GenerateCompany(options));
    EXPECT_EQ(company.documents.size(), 3000u);
    EXPECT_EQ(company.clients.size(), options.clients);
    EXPECT_EQ(company.items.size(), options.items);

    const auto& docs = company.documents;
    auto any = [&](auto predicate) { return std::any_of(docs.begin(), docs.end(), predicate); };
    EXPECT_TRUE(any([](const Document& d) { return d.linked && !d.sources.empty() && d.lines.empty(); }));
    EXPECT_TRUE(any([](const Document& d) { return !d.commercial; }));
    EXPECT_TRUE(any([](const Document& d) { return !d.trader; }));
    EXPECT_TRUE(any([](const Document& d) { return !d.offersInterface; }));
    EXPECT_TRUE(any([](const Document& d) { return !d.posted; }));
    EXPECT_TRUE(any([](const Document& d) { return d.kind == 0; }));
    EXPECT_TRUE(any([](const Document& d) { return d.kind == 2; }));
    EXPECT_TRUE(any([](const Document& d) {
        return std::any_of(d.lines.begin(), d.lines.end(), [](const Line& l) { return !l.offersInterface; });
    }));
    EXPECT_TRUE(any([](const Document& d) {
        return std::any_of(d.lines.begin(), d.lines.end(), [](const Line& l) { return l.value < 0; });
    }));
    EXPECT_TRUE(any([](const Document& d) {
        return std::any_of(d.lines.begin(), d.lines.end(), [](const Line& l) { return !l.item; });
    }));
    // ... but never as the first line of its VAT group, so that every document exports.
    for (const Document& d : docs) {
        std::vector<double> seen;
        for (const Line& line : d.lines) {
            if (std::find(seen.begin(), seen.end(), line.vatPercent) == seen.end()) {
                EXPECT_TRUE(line.item.has_value()) << d.id;
                seen.push_back(line.vatPercent);
            }
        }
    }
    EXPECT_TRUE(std::any_of(company.clients.begin(), company.clients.end(),
                            [](const Trader& t) { return !t.offersInterface; }));
    // Documents come in date order through the year.
    EXPECT_TRUE(
        std::is_sorted(docs.begin(), docs.end(), [](const Document& a, const Document& b) { return a.date < b.date; }));
    EXPECT_EQ(docs.front().date, *dralmoft::ParseOleDate("2024-01-01"));
    EXPECT_EQ(docs.back().date, *dralmoft::ParseOleDate("2024-12-30"));
}

}  // namespace
}  // namespace demo
