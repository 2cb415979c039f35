// The export log's readings: what it holds of a period, its batches and their documents.
#include <bit>
#include <cstdlib>

#include "log/export_log.h"
#include "log/log_rows.h"

namespace dralmoft {

using namespace log_rows;

LogStatus ExportLog::LatestDigests(int firstYear, int lastYear, LoggedDigests& digests) {
    digests.clear();
    SqliteStatement query(m_connection.get(),
                          "SELECT sale, name, series, number, year, tax_id, digest FROM latest "
                          "WHERE year BETWEEN ? AND ?");
    query.Bind(1, std::int64_t{firstYear}).Bind(2, std::int64_t{lastYear});
    while (query.Step()) {
        digests.emplace(IdentityAt(query), std::bit_cast<std::uint64_t>(query.Integer(kLatestDigest)));
    }
    return query.Status();
}

LogStatus ExportLog::InPeriod(const std::string& from, const std::string& to, PeriodExports& exports) {
    exports = {};
    // Each document once, under the batch that exported it last.
    SqliteStatement batches(m_connection.get(),
                            "SELECT b.number, b.exported_at, count(*) FROM latest l "
                            "JOIN batch b ON b.number = l.batch "
                            "WHERE l.year BETWEEN ? AND ? AND l.date BETWEEN ? AND ? "
                            "GROUP BY b.number ORDER BY b.number");
    // The year, the key's first column, narrows the search to the period's years.
    const auto yearOf = [](const std::string& day) { return std::int64_t{std::atoi(day.substr(0, 4).c_str())}; };
    batches.Bind(1, yearOf(from)).Bind(2, yearOf(to)).Bind(3, from).Bind(4, to);
    while (batches.Step()) {
        exports.batches.push_back(
            {batches.Integer(kPeriodBatch), batches.Text(kPeriodWhen), batches.Integer(kPeriodDocuments)});
        exports.documents += exports.batches.back().documents;
    }
    return batches.Status();
}

LogStatus ExportLog::History(std::vector<ExportBatch>& batches) {
    batches.clear();
    SqliteStatement query(m_connection.get(),
                          "SELECT number, exported_at, user, machine, period_from, period_to, path, code_page, "
                          "separator, documents, records, file_digest, undone_at, undone_by "
                          "FROM batch ORDER BY number DESC");
    while (query.Step()) {
        ExportBatch& batch = batches.emplace_back();
        batch.number = query.Integer(kBatchNumber);
        batch.when = query.Text(kBatchWhen);
        batch.user = Utf16(query.Text(kBatchUser));
        batch.machine = Utf16(query.Text(kBatchMachine));
        batch.from = query.Text(kBatchFrom);
        batch.to = query.Text(kBatchTo);
        batch.path = Units(query.Blob(kBatchPath));
        batch.codePage = static_cast<int>(query.Integer(kBatchCodePage));
        batch.separator = query.Blob(kBatchSeparator);
        batch.documents = query.Integer(kBatchDocuments);
        batch.records = query.Integer(kBatchRecords);
        batch.fileDigest = query.Text(kBatchFileDigest);
        batch.undoneWhen = query.Text(kBatchUndoneWhen);
        batch.undoneBy = Utf16(query.Text(kBatchUndoneBy));
    }
    return query.Status();
}

LogStatus ExportLog::Documents(std::int64_t batch, std::vector<LoggedDocument>& documents) {
    documents.clear();
    SqliteStatement query(m_connection.get(),
                          "SELECT sale, name, series, number, year, tax_id, date, digest FROM document "
                          "WHERE batch = ? ORDER BY date, sale DESC, name, series, number");
    query.Bind(1, batch);
    while (query.Step()) {
        LoggedDocument& document = documents.emplace_back();
        document.identity = IdentityAt(query);
        document.date = query.Text(kDocumentDate);
        document.digest = std::bit_cast<std::uint64_t>(query.Integer(kDocumentDigest));
    }
    return query.Status();
}

}  // namespace dralmoft
