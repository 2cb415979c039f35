// Reading and writing an account file of 100,000 lines.
#include <benchmark/benchmark.h>

#include <string>

#include "mapping/mapping_format.h"

namespace {

dralmoft::AccountMap LargeTable() {
    dralmoft::AccountMap table;
    for (int i = 0; i < 100000; ++i) table[std::to_string(100000000 + i * 7)] = "30.00." + std::to_string(i);
    return table;
}

void ReadAccountFile(benchmark::State& state) {
    const std::string content = dralmoft::WriteAccountText(LargeTable());
    for (auto _ : state) {
        dralmoft::AccountMap table;
        dralmoft::ReadAccountText(content, table);
        benchmark::DoNotOptimize(table);
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(ReadAccountFile)->Unit(benchmark::kMillisecond);

void WriteAccountFile(benchmark::State& state) {
    const dralmoft::AccountMap table = LargeTable();
    for (auto _ : state) benchmark::DoNotOptimize(dralmoft::WriteAccountText(table));
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(WriteAccountFile)->Unit(benchmark::kMillisecond);

void ReadVatFile(benchmark::State& state) {
    std::string content;
    for (int i = 0; i < 100000; ++i) content += std::to_string(i / 1000.0) + ";54.00;54.00.0024;54.00.1024\r\n";
    for (auto _ : state) {
        dralmoft::VatAccountMap table;
        dralmoft::ReadAccountText(content, table);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(ReadVatFile)->Unit(benchmark::kMillisecond);

}  // namespace
