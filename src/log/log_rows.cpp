#include "log/log_rows.h"

#include "base/code_page.h"

namespace dralmoft::log_rows {

std::string Utf8(std::u16string_view text) {
    std::string out;
    AppendUtf8(out, text);
    return out;
}

std::u16string Utf16(const std::string& text) { return Utf8ToUtf16(text).value_or(std::u16string()); }

std::string UnitBytes(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xff));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

std::u16string Units(std::string_view bytes) {
    std::u16string text;
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[at]) |
                                             (static_cast<unsigned char>(bytes[at + 1]) << 8)));
    return text;
}

SqliteStatement& BindIdentity(SqliteStatement& statement, int first, const DocumentIdentity& identity) {
    using Held = SqliteStatement::Held;
    return statement.Bind(first, std::int64_t{identity.sale})
        .BindBlob(first + 1, identity.name, Held::InPlace)
        .BindBlob(first + 2, identity.series, Held::InPlace)
        .Bind(first + 3, identity.number)
        .Bind(first + 4, std::int64_t{identity.year})
        .BindBlob(first + 5, identity.taxId, Held::InPlace);
}

DocumentIdentity IdentityAt(const SqliteStatement& row) {
    return {row.Integer(kSale) != 0,
            row.Blob(kName),
            row.Blob(kSeries),
            row.Integer(kNumber),
            static_cast<int>(row.Integer(kYear)),
            row.Blob(kTaxId)};
}

ExportBatch BatchAt(const SqliteStatement& row) {
    ExportBatch batch;
    batch.number = row.Integer(kBatchNumber);
    batch.when = row.Text(kBatchWhen);
    batch.user = Utf16(row.Text(kBatchUser));
    batch.machine = Utf16(row.Text(kBatchMachine));
    batch.from = row.Text(kBatchFrom);
    batch.to = row.Text(kBatchTo);
    batch.path = Units(row.Blob(kBatchPath));
    batch.codePage = static_cast<int>(row.Integer(kBatchCodePage));
    batch.separator = row.Blob(kBatchSeparator);
    batch.documents = row.Integer(kBatchDocuments);
    batch.records = row.Integer(kBatchRecords);
    batch.fileDigest = row.Text(kBatchFileDigest);
    batch.undoneWhen = row.Text(kBatchUndoneWhen);
    batch.undoneBy = Utf16(row.Text(kBatchUndoneBy));
    batch.state = row.Text(kBatchState) == StateText(BatchState::Pending) ? BatchState::Pending : BatchState::Done;
    batch.target = Units(row.Blob(kBatchTarget));
    batch.temporary = Units(row.Blob(kBatchTemporary));
    batch.company = Utf16(row.Text(kBatchCompany));
    return batch;
}

const char* StateText(BatchState state) { return state == BatchState::Pending ? "pending" : "done"; }

}  // namespace dralmoft::log_rows
