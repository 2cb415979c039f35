// dralmoft-bench-log: the export log's recording of a year of 100,000 documents under
// Wine, in a file of the current folder, as an export records it: once into a new log,
// then again over it (each document's latest export replaced). Best of three each.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "log/export_log.h"
#include "log_year.h"

using namespace dralmoft;

namespace {

constexpr char16_t kPath[] = u"dralmoft-bench-log.db";

void Remove() {
    ::DeleteFileW(L"dralmoft-bench-log.db");
    ::DeleteFileW(L"dralmoft-bench-log.db-journal");
}

// Seconds to record the year once into a new log, and once more over it.
std::pair<double, double> RecordTwice(const std::vector<LoggedDocument>& documents) {
    Remove();
    ExportLog log;
    if (!log.Open(kPath).ok) return {-1, -1};
    double seconds[2] = {};
    for (double& taken : seconds) {
        ExportBatch batch = bench::YearBatch();
        const auto start = std::chrono::steady_clock::now();
        if (!log.Record(batch, documents).ok) return {-1, -1};
        taken = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    return {seconds[0], seconds[1]};
}

}  // namespace

int wmain() {
    const std::vector<LoggedDocument> documents = bench::YearOfDocuments();
    double first = 1e9, again = 1e9;
    for (int run = 0; run < 3; ++run) {
        const auto [one, two] = RecordTwice(documents);
        if (one < 0) {
            std::printf("the log could not be written\n");
            return 1;
        }
        first = std::min(first, one);
        again = std::min(again, two);
    }
    Remove();
    std::printf("record_s %.3f\nrecord_again_s %.3f\n", first, again);
    return 0;
}
