#pragma once
// Between the export log's rows and the program's values: the texts as SQLite keeps them,
// a document's identity as it is bound and read, and the columns of each query by name.

#include <cstdint>
#include <string>
#include <string_view>

#include "log/export_log.h"
#include "log/sqlite_handle.h"

namespace dralmoft::log_rows {

// The log's texts are UTF-8; a text that is not reads as empty.
[[nodiscard]] std::string Utf8(std::u16string_view text);
[[nodiscard]] std::u16string Utf16(const std::string& text);
// UTF-16 as little-endian bytes: a path is kept unit for unit, even one that is not
// well-formed UTF-16.
[[nodiscard]] std::string UnitBytes(std::u16string_view text);
[[nodiscard]] std::u16string Units(std::string_view bytes);

// A document's identity, bound from parameter `first` on, and read from the first
// columns of a row (see IdentityColumn).
// The identity's texts are bound in place: they must stay as they are until the statement
// has run and is bound again.
SqliteStatement& BindIdentity(SqliteStatement& statement, int first, const DocumentIdentity& identity);
[[nodiscard]] DocumentIdentity IdentityAt(const SqliteStatement& row);

// The columns of a row that begins with an identity: "sale, name, series, number, year,
// tax_id", then what the query adds.
enum IdentityColumn : int { kSale, kName, kSeries, kNumber, kYear, kTaxId, kAfterIdentity };

// LatestDigests: the identity, then the digest.
enum LatestColumn : int { kLatestDigest = kAfterIdentity };
// Documents: the identity, then the date and the digest.
enum DocumentColumn : int { kDocumentDate = kAfterIdentity, kDocumentDigest };
// InPeriod: a batch, its time, and the documents it exported last.
enum PeriodColumn : int { kPeriodBatch, kPeriodWhen, kPeriodDocuments };
// The effect of an undo (log_schema's kUndoEffect).
enum EffectColumn : int { kEffectFresh, kEffectEarlier, kEffectLater };
// A batch's columns (log_schema's kBatchColumns).
enum BatchColumn : int {
    kBatchNumber,
    kBatchWhen,
    kBatchUser,
    kBatchMachine,
    kBatchFrom,
    kBatchTo,
    kBatchPath,
    kBatchCodePage,
    kBatchSeparator,
    kBatchDocuments,
    kBatchRecords,
    kBatchFileDigest,
    kBatchUndoneWhen,
    kBatchUndoneBy,
    kBatchState,
    kBatchTarget,
    kBatchTemporary,
    kBatchCompany,
};

// The batch of a row of kBatchColumns.
[[nodiscard]] ExportBatch BatchAt(const SqliteStatement& row);
// A batch's state as the log keeps it.
[[nodiscard]] const char* StateText(BatchState state);

}  // namespace dralmoft::log_rows
