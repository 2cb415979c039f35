#pragma once
// The period check's report as CSV for Greek Excel: UTF-8, ';' between fields, CR LF
// after every line, a field quoted with '"' (inner quotes doubled) when it holds ';', '"'
// or a line break, amounts with a decimal comma and no grouping.

#include <string>

#include "export/check_report.h"

namespace dralmoft {

// The problems table: its header line, then a line per problem.
[[nodiscard]] std::string ProblemsCsv(const CheckReport& report);

// The whole report, as the file holds it: a byte-order mark, then the problems, the
// totals per kind and rate and the totals per account, each table with its header line
// and separated from the next by an empty line.
[[nodiscard]] std::string CheckReportCsv(const CheckReport& report);

}  // namespace dralmoft
