// Account proposals: their quality on the hand-labelled items (5-fold cross-validation, per
// chart: exact share, precision and coverage overall and at the window's threshold), and
// their speed on a large company: 10,000 missing keys against 100,000 kept accounts.
#include <benchmark/benchmark.h>

#include "base/code_page.h"
#include "export/journal_record.h"
#include "item_evaluation.h"
#include "proposal/report_proposals.h"

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
        items[item.name + " " + std::to_string(i / labelled.size() + 1) + "τεμ"] =
            test::ChartAccount(test::Chart::PerCategoryAndRate, item);
    }
    for (int i = 1; i <= 2000; ++i) clients[std::to_string(100000000 + i)] = "30.00.00." + std::to_string(10000 + i);
    CheckReport report;
    const auto add = [&report](CheckCode code, const std::string& key, double rate) {
        MissingKey& missing = report.missing.emplace_back();
        missing.code = code;
        missing.keyAt = static_cast<std::uint32_t>(report.texts.size());
        report.texts += Cp1253ToUtf16(key);
        missing.keyLength = static_cast<std::uint32_t>(report.texts.size() - missing.keyAt);
        missing.documents = 1;
        missing.sales = true;
        if (code == CheckCode::ItemAccount) missing.rates.push_back({rate, 100});
    };
    for (std::size_t i = 0; i < 8000; ++i) {
        const test::LabelledItem& item = labelled[i % labelled.size()];
        add(CheckCode::ItemAccount, item.name + " νέο " + std::to_string(i), item.rate);
    }
    for (int i = 1; i <= 2000; ++i) add(CheckCode::ClientAccount, std::to_string(200000000 + i), 0);
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
