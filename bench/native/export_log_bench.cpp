// The export log's two costs on a year of 100,000 documents: recording them after an
// export (one transaction), and reading them back, each compared, for an export of only
// what is new.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "log/export_log.h"
#include "log_year.h"

namespace {

using namespace dralmoft;
using bench::YearBatch;
using bench::YearOfDocuments;

std::u16string FreshLog() {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "dralmoft-bench-exports.db";
    std::filesystem::remove(path);
    std::filesystem::remove(path.string() + "-journal");
    return path.u16string();
}

void RecordYear(benchmark::State& state) {
    const std::vector<LoggedDocument> documents = YearOfDocuments();
    for (auto _ : state) {
        state.PauseTiming();
        ExportLog log;
        if (!log.Open(FreshLog()).ok) state.SkipWithError("the log does not open");
        ExportBatch batch = YearBatch();
        state.ResumeTiming();
        if (!log.Record(batch, documents).ok) state.SkipWithError("the log is not written");
    }
}
BENCHMARK(RecordYear)->Unit(benchmark::kMillisecond)->UseRealTime();

void LoadYearDigests(benchmark::State& state) {
    const std::vector<LoggedDocument> documents = YearOfDocuments();
    ExportLog log;
    ExportBatch batch = YearBatch();
    if (!log.Open(FreshLog()).ok || !log.Record(batch, documents).ok) state.SkipWithError("no log");
    for (auto _ : state) {
        LoggedDigests digests;
        if (!log.LatestDigests(2025, 2025, digests).ok) state.SkipWithError("not read");
        if (digests.size() != documents.size()) state.SkipWithError("a document was not read");
        std::size_t same = 0;
        for (const LoggedDocument& document : documents) same += digests.at(document.identity) == document.digest;
        benchmark::DoNotOptimize(same);
    }
}
BENCHMARK(LoadYearDigests)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
