// The export log's readings: what it holds of a period, its batches and their documents.
#include <bit>
#include <cstdlib>

#include "log/export_log.h"
#include "log/log_rows.h"
#include "log/log_schema.h"

namespace dralmoft {

using namespace log_rows;
using namespace log_schema;

ExportLog::Reading::Reading(ExportLog& log) : m_log(log) { m_status = SqliteExecute(log.m_connection.get(), "BEGIN"); }

ExportLog::Reading::~Reading() {
    if (m_status.ok) (void)SqliteExecute(m_log.m_connection.get(), "COMMIT");
}

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
                          std::string("SELECT ") + kBatchColumns + " FROM batch ORDER BY number DESC");
    while (query.Step()) batches.push_back(BatchAt(query));
    return query.Status();
}

LogStatus ExportLog::PendingBatches(std::vector<ExportBatch>& batches) {
    batches.clear();
    SqliteStatement query(m_connection.get(),
                          std::string("SELECT ") + kBatchColumns + " FROM batch WHERE state = ? ORDER BY number");
    query.Bind(1, StateText(BatchState::Pending));
    while (query.Step()) batches.push_back(BatchAt(query));
    return query.Status();
}

LogStatus ExportLog::Company(FolderCompany& company) {
    company = {};
    SqliteStatement query(m_connection.get(),
                          "SELECT company, company_key, (SELECT company_from FROM rebinding "
                          "ORDER BY rowid DESC LIMIT 1) FROM folder");
    if (query.Step()) company = {Utf16(query.Text(0)), Utf16(query.Text(1)), Utf16(query.Text(2))};  // in order
    return query.Status();
}

LogStatus ExportLog::Changes(std::int64_t& changes) {
    changes = 0;
    SqliteStatement query(m_connection.get(), "SELECT changes FROM folder");
    if (query.Step()) changes = query.Integer(0);  // its one column
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
