#pragma once
// The command-line exporter's arguments. Portable: a usage error is a value, told by the
// exporter before its usage text.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dralmoft {

struct ExporterOptions {
    double from = 0.0;  // OLE dates of the period's first and last days
    double to = 0.0;
    std::u16string out;  // as given, in any language
    std::string separator = ";";
    bool keepCodePage = false;
    bool check = false;     // the run without a file: the problems on standard output
    bool strict = false;    // an export with blocking problems leaves the target as it was
    std::u16string report;  // where the check's report goes as CSV; empty: nowhere
    // The period checked, with account proposals for what it misses written to `suggest`
    // as CSV, or the proposals of the CSV `accept` stored in the account files.
    std::u16string suggest;
    std::u16string accept;
    bool onlyNew = false;  // write only what the export log does not hold as it is
    bool noLog = false;    // neither consult nor keep the export log
    // The server's company is the folder's, renamed or moved: the folder follows it.
    bool sameCompany = false;
    // The log's own actions, with no export: print its batches, undo batch `forget`, or
    // settle pending batch `settle` as posted to the ledger or not.
    bool history = false;
    std::int64_t forget = 0;
    std::int64_t settle = 0;
    bool posted = false;

    [[nodiscard]] bool LogAction() const { return history || forget != 0 || settle != 0; }
    // The run writes no export file: a check, or proposals made or stored.
    [[nodiscard]] bool Checks() const { return check || !suggest.empty() || !accept.empty(); }
};

struct ExporterArguments {
    std::optional<ExporterOptions> options;
    bool help = false;
    bool version = false;  // --version: the program's name and version, nothing else
    // What is wrong with the arguments, naming the option and its value
    // ("--from: 2026-02-30 is not a date"); empty when nothing is.
    std::string error;
};

// The arguments after the program's name.
[[nodiscard]] ExporterArguments ParseExporterArguments(const std::vector<std::u16string>& arguments);

}  // namespace dralmoft
