// How fast the demo server's company reader takes a large company file.
#include <benchmark/benchmark.h>

#include "company_file.h"
#include "company_generator.h"

namespace {

void ParseGeneratedCompany(benchmark::State& state) {
    demo::GeneratorOptions options;
    options.documents = static_cast<std::size_t>(state.range(0));
    options.clients = 5000;
    options.items = 5000;
    const std::string json = demo::GenerateCompany(options);
    for (auto _ : state) benchmark::DoNotOptimize(demo::ParseCompany(json));
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(json.size()));
}
BENCHMARK(ParseGeneratedCompany)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
