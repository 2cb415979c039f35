#pragma once
// The period check's report as CSV for Greek Excel: UTF-8, ';' between fields, CR LF
// after every line, a field quoted with '"' (inner quotes doubled) when it holds ';', '"'
// or a line break, amounts with a decimal comma and no grouping.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "check/check_report.h"
#include "data/atomic_save.h"
#include "data/file_system.h"

namespace dralmoft {

// A table's line: its fields as UTF-8 texts.
using ReportLine = std::vector<std::string>;

// The headers of the report's three tables, and the lines of its two tables of totals, as
// the CSV file holds them and the report window shows them.
[[nodiscard]] ReportLine ProblemsHeader();
[[nodiscard]] ReportLine TotalsHeader();
[[nodiscard]] ReportLine AccountsHeader();
// Per kind (sales, then purchases; a kind without documents has none) its rates, then
// its total line (rate empty, the trader records' sum last).
[[nodiscard]] std::vector<ReportLine> TotalsLines(const CheckReport& report);
// Per account text, in byte order.
[[nodiscard]] std::vector<ReportLine> AccountLines(const CheckReport& report);

// Takes the CSV's bytes in pieces (of about a megabyte); false stops the writing.
using CsvSink = std::function<bool(std::string_view)>;

// The problems table: its header line, then a line per problem. False when the sink
// stopped it.
[[nodiscard]] bool WriteProblemsCsv(const CheckReport& report, const CsvSink& sink);

// The whole report, as the file holds it: a byte-order mark, then the problems, the
// totals per kind and rate and the totals per account, each table with its header line
// and separated from the next by an empty line.
[[nodiscard]] bool WriteCheckReportCsv(const CheckReport& report, const CsvSink& sink);
[[nodiscard]] std::string CheckReportCsv(const CheckReport& report);

// Writes the report into `file` (begun here) and seals it: complete on the disk under its
// temporary name, not yet in place.
[[nodiscard]] FileStatus WriteCheckReport(AtomicFileWriter& file, const CheckReport& report);
// The report written to `path` whole or not at all (see AtomicFileWriter).
[[nodiscard]] FileStatus SaveCheckReport(FileSystem& files, const std::u16string& path, const CheckReport& report);

}  // namespace dralmoft
