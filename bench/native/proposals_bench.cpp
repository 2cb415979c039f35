// Account proposals: their quality on the hand-labelled items (5-fold cross-validation, per
// chart: exact share, precision and coverage overall and at the window's threshold), and
// their speed on a large company: 10,000 missing keys against 100,000 kept accounts.
#include <benchmark/benchmark.h>

#include "base/code_page.h"
#include "export/journal_record.h"
#include "item_evaluation.h"
#include "missing_keys.h"
#include "proposal/report_proposals.h"
#include "proposal/trader_proposals.h"
#include "proposal/vat_proposals.h"

namespace {

using namespace dralmoft;

void ItemProposalQuality(benchmark::State& state) {
    const std::vector<test::LabelledItem> items = test::LoadLabelledItems();
    const auto chart = static_cast<test::Chart>(state.range(0));
    test::Figures figures;
    for (auto _ : state) figures = test::CrossValidate(items, chart, kTickedConfidence);
    state.SetLabel(test::ChartName(chart));
    state.counters["exact_pct"] = figures.Exact();
    state.counters["precision_pct"] = figures.Precision();
    state.counters["coverage_pct"] = figures.Coverage();
    state.counters["ticked_precision_pct"] = figures.ConfidentPrecision();
    state.counters["ticked_coverage_pct"] = figures.ConfidentCoverage();
}
BENCHMARK(ItemProposalQuality)->DenseRange(0, 2)->Iterations(1)->Unit(benchmark::kMillisecond);

// A catalogue of 100,000 kept items (the labelled ones in sizes and packs), 2,000 clients
// in a series, and a period of 10,000 keys without one: 8,000 new items, 2,000 new clients.
void ProposalsForALargeCompany(benchmark::State& state) {
    const std::vector<test::LabelledItem> labelled = test::LoadLabelledItems();
    AccountMap clients, suppliers, items;
    VatAccountMap vat;
    vat[24.0] = "54.00;54.00.0024;54.00.1024";
    vat[13.0] = "54.00;54.00.0013;54.00.1013";
    vat[6.0] = "54.00;54.00.0006;54.00.1006";
    for (std::size_t i = 0; items.Size() < 100'000; ++i) {
        const test::LabelledItem& item = labelled[i % labelled.size()];
        items[item.name + " " + std::to_string(i / labelled.size() + 1) + "x"] =
            test::ChartAccount(test::Chart::PerCategoryAndRate, item);
    }
    for (int i = 1; i <= 2000; ++i) clients[std::to_string(100000000 + i)] = "30.00.00." + std::to_string(10000 + i);
    CheckReport report;
    for (std::size_t i = 0; i < 8000; ++i) {
        const test::LabelledItem& item = labelled[i % labelled.size()];
        bench::AddMissingKey(report, CheckCode::ItemAccount, item.name + " new " + std::to_string(i), item.rate);
    }
    for (int i = 1; i <= 2000; ++i)
        bench::AddMissingKey(report, CheckCode::ClientAccount, std::to_string(200000000 + i), 0);
    std::vector<KeyProposal> rows;
    for (auto _ : state) rows = ProposeForReport(report, {clients, suppliers, items, vat});
    // New items are new sizes of kept ones: the chart's account is the right one.
    std::size_t exact = 0;
    for (std::size_t i = 0; i < 8000; ++i) {
        const std::string truth = test::ChartAccount(test::Chart::PerCategoryAndRate, labelled[i % labelled.size()]);
        exact += rows[i].proposal.account == PartAfter(truth) ? 1 : 0;
    }
    state.counters["items_exact_pct"] = 100.0 * static_cast<double>(exact) / 8000.0;
}
BENCHMARK(ProposalsForALargeCompany)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

namespace {

// Traders and VAT rates on companies of each kind: the keys first met in the period are
// the newest (hidden from the file); a series gives them the next numbers after the
// largest kept (gaps are retired accounts), a control account gives them it, a file with
// neither gives nothing. Counters: exact proposals (or rightly none), in percent.
void TraderAndVatProposalQuality(benchmark::State& state) {
    struct Company {
        const char* name;
        std::vector<std::string> kept;
        std::vector<std::string> expected;  // per new key; empty: none
    };
    std::vector<Company> companies;
    {
        Company series{"series-with-gaps", {}, {}};
        for (int number = 1; number <= 600; ++number)
            if (number % 7 != 0)
                series.kept.push_back("30.00.00." + std::string(4 - std::to_string(number).size(), '0') +
                                      std::to_string(number));
        for (int number = 601; number <= 700; ++number)
            series.expected.push_back("30.00.00.0" + std::to_string(number));
        companies.push_back(std::move(series));
        Company control{"control-account", std::vector<std::string>(400, "50.00.00.0000"),
                        std::vector<std::string>(50, "50.00.00.0000")};
        for (int i = 0; i < 30; ++i) control.kept.push_back("50.01.00.0000");
        companies.push_back(std::move(control));
        Company neither{"neither", {}, std::vector<std::string>(20)};
        for (int i = 0; i < 100; ++i)
            neither.kept.push_back(i % 2 ? "30.0" + std::to_string(i) : "38.00." + std::to_string(i * 7));
        companies.push_back(std::move(neither));
    }
    std::size_t exact = 0, total = 0;
    for (auto _ : state) {
        exact = total = 0;
        for (const Company& company : companies) {
            const std::vector<Proposal> proposals =
                ProposeTraderAccounts(company.kept, company.expected.size(), u"πελάτες");
            for (std::size_t i = 0; i < proposals.size(); ++i)
                exact += proposals[i].account == company.expected[i] ? 1 : 0;
            total += proposals.size();
        }
    }
    state.counters["traders_exact_pct"] = 100.0 * static_cast<double>(exact) / static_cast<double>(total);

    // VAT: a file whose rates follow a pattern, and one whose do not.
    VatAccountMap pattern, none;
    for (const double rate : {24.0, 13.0, 6.0, 9.0, 4.0}) {
        const std::string digits = std::to_string(static_cast<int>(rate));
        pattern[rate] = "54.00;54.00.00" + std::string(2 - digits.size(), '0') + digits + ";54.00.10" +
                        std::string(2 - digits.size(), '0') + digits;
        none[rate] = "54.0" + std::to_string(static_cast<int>(rate) % 3) + ";x" + digits;
    }
    const bool vatExact = ProposeVatAccounts(pattern, 17.0).account == "54.00;54.00.0017;54.00.1017" &&
                          ProposeVatAccounts(none, 17.0).account.empty();
    state.counters["vat_exact_pct"] = vatExact ? 100.0 : 0.0;
}
BENCHMARK(TraderAndVatProposalQuality)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
