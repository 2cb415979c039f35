#pragma once
// The export log's schema, version by version, and the statements that keep its lookup
// table of each document's latest standing export.

namespace dralmoft::log_schema {

// Version 1. The identity's texts are blobs: the bytes the records carry, compared
// exactly. `digest` is the 64 bits as a signed integer. A batch holds a document once
// (Record sees to it); the indexes are small ones, so that a year is recorded quickly.
inline constexpr const char* kSchema1 = R"sql(
CREATE TABLE batch (
    number INTEGER PRIMARY KEY,
    exported_at TEXT NOT NULL,
    user TEXT NOT NULL,
    machine TEXT NOT NULL,
    period_from TEXT NOT NULL,
    period_to TEXT NOT NULL,
    path BLOB NOT NULL,
    code_page INTEGER NOT NULL,
    separator BLOB NOT NULL,
    documents INTEGER NOT NULL,
    records INTEGER NOT NULL,
    file_digest TEXT NOT NULL,
    undone_at TEXT,
    undone_by TEXT
);
CREATE TABLE document (
    batch INTEGER NOT NULL REFERENCES batch (number),
    sale INTEGER NOT NULL,
    name BLOB NOT NULL,
    series BLOB NOT NULL,
    number INTEGER NOT NULL,
    year INTEGER NOT NULL,
    tax_id BLOB NOT NULL,
    date TEXT NOT NULL,
    digest INTEGER NOT NULL
);
CREATE INDEX document_batch ON document (batch);
CREATE INDEX document_year ON document (year);
CREATE INDEX document_date ON document (date);
)sql";

// Version 2: each document's latest standing export, kept as batches are recorded and
// undone, so that a year's lookup reads each document once however often the year was
// exported again. The document table keeps every batch's rows (for the history and for
// undo) and loses the indexes only the lookups needed.
inline constexpr const char* kSchema2 = R"sql(
CREATE TABLE latest (
    year INTEGER NOT NULL,
    sale INTEGER NOT NULL,
    name BLOB NOT NULL,
    series BLOB NOT NULL,
    number INTEGER NOT NULL,
    tax_id BLOB NOT NULL,
    batch INTEGER NOT NULL,
    date TEXT NOT NULL,
    digest INTEGER NOT NULL,
    PRIMARY KEY (year, sale, name, series, number, tax_id)
) WITHOUT ROWID;
DROP INDEX document_year;
DROP INDEX document_date;
INSERT OR REPLACE INTO latest
    SELECT d.year, d.sale, d.name, d.series, d.number, d.tax_id, d.batch, d.date, d.digest
    FROM document d JOIN batch b ON b.number = d.batch
    WHERE b.undone_at IS NULL ORDER BY d.batch;
)sql";

// Version 3: a batch is made pending before its file replaces the target and done after,
// so that a batch counts only when its file is in place, and whoever opens the log next
// can tell which of the two a killed export reached (its target and temporary file, as
// full paths, say where to look). `changed` is the log's change count when the batch was
// made pending, done or undone: an export that read the log at a lower count and meets
// such a batch in its period was answered from a log that has moved on. The folder row
// holds that count, the last batch number given (a number is never given twice, also
// when a pending batch that never reached its target is dropped) and the company the
// folder's account files belong to; `rebinding` keeps each time the user said a new
// company name was the same company.
inline constexpr const char* kSchema3 = R"sql(
ALTER TABLE batch ADD COLUMN state TEXT NOT NULL DEFAULT 'done';
ALTER TABLE batch ADD COLUMN target BLOB NOT NULL DEFAULT x'';
ALTER TABLE batch ADD COLUMN temporary BLOB NOT NULL DEFAULT x'';
ALTER TABLE batch ADD COLUMN company TEXT NOT NULL DEFAULT '';
ALTER TABLE batch ADD COLUMN changed INTEGER NOT NULL DEFAULT 0;
CREATE TABLE folder (
    id INTEGER PRIMARY KEY CHECK (id = 1),
    company TEXT NOT NULL DEFAULT '',
    company_key TEXT NOT NULL DEFAULT '',
    last_batch INTEGER NOT NULL,
    changes INTEGER NOT NULL DEFAULT 0
);
INSERT INTO folder (id, last_batch) SELECT 1, coalesce(max(number), 0) FROM batch;
CREATE TABLE rebinding (
    at TEXT NOT NULL,
    user TEXT NOT NULL,
    company_from TEXT NOT NULL,
    company_to TEXT NOT NULL
);
)sql";

// A batch's columns, as log_rows' BatchColumn reads them.
inline constexpr const char* kBatchColumns =
    "number, exported_at, user, machine, period_from, period_to, path, code_page, separator, documents, records, "
    "file_digest, undone_at, undone_by, state, target, temporary, company";

// The log's change count goes one up, and batch ? takes it as its own.
inline constexpr const char* kCountChange = "UPDATE folder SET changes = changes + 1";
inline constexpr const char* kTakeChange = "UPDATE batch SET changed = (SELECT changes FROM folder) WHERE number = ?";

// After kBatchColumns: the batch that changed last after count ?1 and holds documents
// dated ?2..?3 (ISO).
inline constexpr const char* kChangedSince =
    " FROM batch b WHERE b.changed > ?1 AND "
    "EXISTS (SELECT 1 FROM document d WHERE d.batch = b.number AND d.date BETWEEN ?2 AND ?3) "
    "ORDER BY b.changed DESC LIMIT 1";

// A batch's documents become the latest of their identities.
inline constexpr const char* kTakeLatest =
    "INSERT OR REPLACE INTO latest SELECT year, sale, name, series, number, tax_id, batch, date, digest "
    "FROM document WHERE batch = ?";

// After batch ? is undone: its documents go back to the batch that exported them last
// before it, or out of the lookup. A later batch that holds one keeps it.
inline constexpr const char* kDropUndone = "DELETE FROM latest WHERE batch = ?";
inline constexpr const char* kRestoreEarlier =
    "INSERT OR REPLACE INTO latest "
    "SELECT d.year, d.sale, d.name, d.series, d.number, d.tax_id, d.batch, d.date, d.digest "
    "FROM document d JOIN batch b ON b.number = d.batch "
    "WHERE b.undone_at IS NULL AND (d.year, d.sale, d.name, d.series, d.number, d.tax_id) IN ("
    "SELECT year, sale, name, series, number, tax_id FROM document WHERE batch = ?1 "
    "EXCEPT SELECT year, sale, name, series, number, tax_id FROM latest) "
    "ORDER BY d.batch";

// Where batch ?1's documents stand in the lookup once it is undone: with no batch, with an
// earlier one, with a later one (see log_rows' EffectColumn).
inline constexpr const char* kUndoEffect =
    "SELECT coalesce(sum(l.batch IS NULL), 0), coalesce(sum(l.batch < ?1), 0), coalesce(sum(l.batch > ?1), 0) "
    "FROM document d LEFT JOIN latest l ON l.year = d.year AND l.sale = d.sale AND l.name = d.name "
    "AND l.series = d.series AND l.number = d.number AND l.tax_id = d.tax_id WHERE d.batch = ?1";

}  // namespace dralmoft::log_schema
