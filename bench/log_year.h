#pragma once
// A year of 100,000 logged documents and the batch that records them, for the export
// log's benchmarks (native and under Wine).

#include <cstdint>
#include <string>
#include <vector>

#include "log/export_log.h"

namespace dralmoft::bench {

inline std::vector<LoggedDocument> YearOfDocuments() {
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

inline ExportBatch YearBatch() {
    ExportBatch batch;
    batch.when = "2026-01-05T09:00:00Z";
    batch.user = u"bench";
    batch.from = "2025-01-01";
    batch.to = "2025-12-31";
    batch.path = u"out.txt";
    batch.documents = 100000;
    return batch;
}

}  // namespace dralmoft::bench
