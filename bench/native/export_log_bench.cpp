// The export log's two costs on a year of 100,000 documents: recording them after an
// export (one transaction), and reading them back, each compared, for an export of only
// what is new.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "export/export_log.h"

namespace {

using namespace dralmoft;

std::vector<LoggedDocument> YearOfDocuments() {
    std::vector<LoggedDocument> documents;
    for (int i = 0; i < 100000; ++i) {
        LoggedDocument& document = documents.emplace_back();
        document.identity = {i % 3 != 0, "\xd4\xe9\xec\xef\xeb\xfc\xe3\xe9\xef", std::string(1, 'A' + i % 4), i,
                             2025,       std::to_string(100000000 + i % 5000)};
        document.date = "2025-" + std::string(i % 12 < 9 ? "0" : "") + std::to_string(i % 12 + 1) + "-15";
        document.digest = 0x9e3779b97f4a7c15ull * static_cast<std::uint64_t>(i + 1);
    }
    return documents;
}

std::u16string FreshLog() {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "dralmoft-bench-exports.db";
    std::filesystem::remove(path);
    std::filesystem::remove(path.string() + "-journal");
    return path.u16string();
}

ExportBatch YearBatch() {
    ExportBatch batch;
    batch.when = "2026-01-05T09:00:00Z";
    batch.user = u"bench";
    batch.from = "2025-01-01";
    batch.to = "2025-12-31";
    batch.path = u"out.txt";
    batch.documents = 100000;
    return batch;
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
