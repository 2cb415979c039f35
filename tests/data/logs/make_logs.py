#!/usr/bin/env python3
"""Writes the export logs of the first two schemas, as the versions that used them left
them, for the test that opens them with today's program. Run once; the .db files are
kept in the repository, so that a change of this script is a change of the test data."""
import os
import sqlite3

SCHEMA1 = """
CREATE TABLE batch (number INTEGER PRIMARY KEY, exported_at TEXT NOT NULL, user TEXT NOT NULL,
    machine TEXT NOT NULL, period_from TEXT NOT NULL, period_to TEXT NOT NULL, path BLOB NOT NULL,
    code_page INTEGER NOT NULL, separator BLOB NOT NULL, documents INTEGER NOT NULL,
    records INTEGER NOT NULL, file_digest TEXT NOT NULL, undone_at TEXT, undone_by TEXT);
CREATE TABLE document (batch INTEGER NOT NULL REFERENCES batch (number), sale INTEGER NOT NULL,
    name BLOB NOT NULL, series BLOB NOT NULL, number INTEGER NOT NULL, year INTEGER NOT NULL,
    tax_id BLOB NOT NULL, date TEXT NOT NULL, digest INTEGER NOT NULL);
CREATE INDEX document_batch ON document (batch);
CREATE INDEX document_year ON document (year);
CREATE INDEX document_date ON document (date);
"""

SCHEMA2 = """
CREATE TABLE latest (year INTEGER NOT NULL, sale INTEGER NOT NULL, name BLOB NOT NULL,
    series BLOB NOT NULL, number INTEGER NOT NULL, tax_id BLOB NOT NULL, batch INTEGER NOT NULL,
    date TEXT NOT NULL, digest INTEGER NOT NULL,
    PRIMARY KEY (year, sale, name, series, number, tax_id)) WITHOUT ROWID;
DROP INDEX document_year;
DROP INDEX document_date;
"""

# Three batches of March 2026; the third undone. Invoice A-2 was exported by batches 1
# and 3, so with 3 undone batch 1's version counts again.
ROWS = """
INSERT INTO batch VALUES (1, '2026-04-01T10:00:00Z', 'u', 'm', '2026-03-01', '2026-03-31', x'', 1253, x'3b',
                          2, 10, '0', NULL, NULL),
                         (2, '2026-04-05T10:00:00Z', 'u', 'm', '2026-03-01', '2026-03-31', x'', 1253, x'3b',
                          2, 10, '0', NULL, NULL),
                         (3, '2026-04-06T10:00:00Z', 'u', 'm', '2026-03-01', '2026-03-31', x'', 1253, x'3b',
                          1, 5, '0', '2026-04-06T11:00:00Z', 'u');
INSERT INTO document VALUES (1, 1, x'd4c9cc', x'41', 1, 2026, x'303939393939393939', '2026-03-10', 1),
                            (1, 1, x'd4c9cc', x'41', 2, 2026, x'303939393939393939', '2026-03-31', 3),
                            (2, 1, x'd4c9cc', x'41', 1, 2026, x'303939393939393939', '2026-03-10', 2),
                            (2, 1, x'd4c9cc', x'41', 3, 2026, x'303939393939393939', '2026-03-12', 4),
                            (3, 1, x'd4c9cc', x'41', 2, 2026, x'303939393939393939', '2026-03-31', 9);
"""

LATEST = """
INSERT INTO latest VALUES (2026, 1, x'd4c9cc', x'41', 1, x'303939393939393939', 2, '2026-03-10', 2),
                          (2026, 1, x'd4c9cc', x'41', 2, x'303939393939393939', 1, '2026-03-31', 3),
                          (2026, 1, x'd4c9cc', x'41', 3, x'303939393939393939', 2, '2026-03-12', 4);
"""


def write(name, script, version):
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), name)
    if os.path.exists(path):
        os.remove(path)
    connection = sqlite3.connect(path)
    connection.executescript("PRAGMA journal_mode = DELETE;" + script + f"PRAGMA user_version = {version};")
    connection.close()


write("schema1.db", SCHEMA1 + ROWS, 1)
write("schema2.db", SCHEMA1 + SCHEMA2 + ROWS + LATEST, 2)
