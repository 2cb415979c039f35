// The search box's search over 100,000 rows, its match in the last row.
#include <benchmark/benchmark.h>

#include <string>

#include "mapping/list_rows.h"

namespace {

void SearchListRows(benchmark::State& state) {
    dralmoft::ListRows rows;
    for (int i = 0; i < 100000; ++i)
        rows.Add(std::to_string(100000000 + i), "\xD0\xE5\xEB\xDC\xF4\xE7\xF2 " + std::to_string(i), "30.00.0001");
    (void)rows.Find("none such");  // the index, as the first keystroke after a fill makes it
    for (auto _ : state) benchmark::DoNotOptimize(rows.Find("100099999"));
}
BENCHMARK(SearchListRows)->Unit(benchmark::kMillisecond);

}  // namespace
