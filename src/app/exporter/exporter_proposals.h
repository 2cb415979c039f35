#pragma once
// The exporter's account proposals: --suggest writes them for what a check of the period
// finds without an account; --accept stores those of a proposals file (the only command of
// the exporter that writes account files). Each tells its failures on standard error in
// the window's Greek and answers the exit code.

#include <optional>
#include <string>

#include "check/check_report.h"
#include "data/file_system.h"
#include "mapping/account_tables.h"
#include "proposal/proposals_csv.h"

namespace dralmoft {

// Reads --accept's file before anything else is done: nothing (and `file` filled), or the
// exit code of a file that cannot be read or is not a proposals file.
[[nodiscard]] std::optional<int> ReadAcceptFile(FileSystem& files, const std::u16string& path, ProposalsFile& file);

// Writes the proposals for the report's missing keys to `path`: 0, or 1 when it fails.
[[nodiscard]] int WriteSuggestions(FileSystem& files, const std::u16string& path, const CheckReport& report,
                                   const AccountTables& tables);

// Stores the file's proposals; tells each row not stored, then the summary line
// "N stored, N already had an account, N not missing, N refused". 0; 4 when a row was
// refused; 1 when an account file could not be saved.
[[nodiscard]] int StoreAccepted(FileSystem& files, const std::u16string& path, const ProposalsFile& file,
                                const CheckReport& report, const AccountTables& tables);

}  // namespace dralmoft
