// What the period check adds to an export run: the same 100,000 documents (as the Wine
// export benchmark generates them) run in memory into no file, without and with the
// check. The difference is the check's own cost, set against the export end to end.
#include <benchmark/benchmark.h>

#include "base/code_page.h"
#include "check/period_check.h"
#include "company_documents.h"
#include "company_file.h"
#include "company_generator.h"
#include "export/export_run.h"
#include "log/export_log_observer.h"

namespace {

using namespace dralmoft;

class NoFile final : public RecordSink {
public:
    FileStatus Write(std::string_view) override { return FileStatus::Success(); }
};

const std::vector<test::MemoryDocument>& Documents(demo::Company& company) {
    static const std::vector<test::MemoryDocument> documents = [&] {
        demo::GeneratorOptions options;
        options.seed = 11;
        options.documents = 100000;
        options.linesPerDocument = 5;
        options.clients = 5000;
        options.suppliers = 1000;
        options.items = 5000;
        company = demo::ParseCompany(demo::GenerateCompany(options));
        return test::DocumentsOf(company);
    }();
    return documents;
}

// Accounts for a tenth of the clients and items, so that the check has rows to write too.
void GiveATenthTheirAccounts(const demo::Company& company, AccountMap& clients, AccountMap& items) {
    for (std::size_t i = 0; i < company.clients.size(); i += 10)
        clients[Utf16ToCp1253(company.clients[i].taxId.value)] = "30.00." + std::to_string(i);
    for (std::size_t i = 0; i < company.items.size(); i += 10)
        items[Utf16ToCp1253(company.items[i].name.value)] = "20.00;70.00." + std::to_string(i);
}

void ExportRunInMemory(benchmark::State& state) {
    static demo::Company company;
    test::MemoryDocumentSource source;
    source.documents = Documents(company);
    source.logging = false;
    AccountMap clients, suppliers, items;
    VatAccountMap vat;
    GiveATenthTheirAccounts(company, clients, items);
    NoFile sink;
    const bool checked = state.range(0) != 0;
    if (state.range(1) != 0) {
        // Every key with an account: a run's lookups leave each missing key in its table.
        ExportRun run(source, sink, {clients, suppliers, items, vat}, [](double) { return std::string(); });
        std::string separator = ";";
        (void)run.Run(0, 1e9, separator);
        for (AccountMap* table : {&clients, &suppliers, &items})
            for (const auto& [key, account] : *table)
                if (account.empty()) (*table)[key] = "20.00;70.00";
        for (const auto& [rate, account] : vat)
            if (account.empty()) vat[rate] = "54.00;54.00.1;54.00.2";
    }
    for (auto _ : state) {
        // The OEM code page, as the Wine benchmark runs it: every text is checked in both.
        PeriodCheck check(false);
        ExportRun run(
            source, sink, {clients, suppliers, items, vat}, [](double) { return std::string("1/1/2025"); }, nullptr,
            nullptr, checked ? &check : nullptr);
        std::string separator = ";";
        benchmark::DoNotOptimize(run.Run(0, 1e9, separator));
        if (checked) state.counters["problems"] = static_cast<double>(check.Report().problems.size());
    }
}
// Without and with the check; with a tenth of the clients' and items' accounts, and with
// all of them.
BENCHMARK(ExportRunInMemory)->Args({0, 0})->Args({1, 0})->Args({0, 1})->Args({1, 1})->Unit(benchmark::kMillisecond);

// The side of the run that makes the file, alone: the same documents read once into plain
// values, then their accounts (a tenth of them), records, check and log entries, into no
// file, in the OEM code page. It runs beside the server's side; the larger one is the
// run's limit.
void WritingSideAlone(benchmark::State& state) {
    static demo::Company company;
    test::MemoryDocumentSource source;
    source.documents = Documents(company);
    source.logging = false;
    const DateFormatter date = [](double) { return std::string("1/1/2025"); };
    DocumentReader reader(source, date);
    std::vector<ReadElement> elements(source.Open(0, 1e9));
    for (std::size_t index = 0; index < elements.size(); ++index) reader.Read(index, elements[index]);
    AccountMap clients, suppliers, items;
    VatAccountMap vat;
    GiveATenthTheirAccounts(company, clients, items);
    NoFile sink;
    for (auto _ : state) {
        AccountLookups accounts({clients, suppliers, items, vat});
        PeriodCheck check(false);
        ExportLogObserver observer({}, false);
        check.Started();
        DocumentWriter writer(sink, accounts, &observer, &check);
        std::string separator = ";";
        for (const ReadElement& element : elements) benchmark::DoNotOptimize(writer.Take(element, separator));
    }
}
BENCHMARK(WritingSideAlone)->Unit(benchmark::kMillisecond);

}  // namespace
