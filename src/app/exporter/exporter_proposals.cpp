#include "app/exporter/exporter_proposals.h"

#include <windows.h>

#include "app/exporter/console_text.h"
#include "app/exporter/exit_codes.h"
#include "app/shared/resource.h"
#include "app/shared/shared_messages.h"
#include "base/code_page.h"
#include "base/message_text.h"
#include "data/atomic_save.h"
#include "mapping/account_file.h"
#include "proposal/accept_proposals.h"
#include "proposal/report_proposals.h"
#include "win/string_table.h"
#include "win/wide_text.h"

namespace dralmoft {

std::optional<int> ReadAcceptFile(FileSystem& files, const std::u16string& path, ProposalsFile& file) {
    std::string bytes;
    FileStatus status = files.SizeOf(path) ? files.ReadIfPresent(path, bytes)
                                           : FileStatus::Failure(files.ErrorText(ERROR_FILE_NOT_FOUND));
    if (!status.ok) {
        Tell(STD_ERROR_HANDLE, LoadMessage(IDS_PROPOSALS_FILE_UNREADABLE, {AsWide(path), Part(status.text)}));
        return kExitFailed;
    }
    file = ReadProposalsCsv(std::move(bytes));
    if (file.badLine == 0) return std::nullopt;
    Tell(STD_ERROR_HANDLE,
         LoadMessage(IDS_NOT_PROPOSALS_FILE, {AsWide(path), std::to_wstring(file.badLine), AsWide(file.why)}));
    return kExitUsage;
}

int WriteSuggestions(FileSystem& files, const std::u16string& path, const CheckReport& report,
                     const AccountTables& tables) {
    const FileStatus saved = SaveAtomically(files, path, ProposalsCsv(ProposeForReport(report, tables)));
    if (saved.ok) return kExitDone;
    Tell(STD_ERROR_HANDLE, LoadMessage(IDS_PROPOSALS_NOT_SAVED, {AsWide(path), Part(saved.text)}));
    return kExitFailed;
}

int StoreAccepted(FileSystem& files, const std::u16string& path, const ProposalsFile& file, const CheckReport& report,
                  const AccountTables& tables) {
    AccountFile accounts(files, u"", true);
    const AcceptResult result = AcceptProposals(file.rows, report, accounts, tables);
    for (const AcceptedRow& row : result.rows) {
        if (row.fate == RowFate::Stored) continue;
        Tell(STD_ERROR_HANDLE,
             LoadMessage(IDS_ACCEPT_ROW, {std::to_wstring(row.row.line), Part(std::string(CheckCodeName(row.row.code))),
                                          AsWide(Cp1253ToUtf16(row.row.key)), AsWide(row.why)}));
    }
    if (!result.status.ok)
        Tell(STD_ERROR_HANDLE, LoadMessage(IDS_ACCEPT_FILE_NOT_SAVED,
                                           {AsWide(AccountFileName(result.failed)), Part(result.status.text)}));
    const auto count = [&result](RowFate fate) {
        return std::to_string(result.counts[static_cast<std::size_t>(fate)]);
    };
    Tell(STD_OUTPUT_HANDLE,
         AsWide(path) + Part(FillMessage(": %1 stored, %2 already had an account, %3 not missing, %4 refused",
                                         {count(RowFate::Stored), count(RowFate::HadAccount),
                                          count(RowFate::NotMissing), count(RowFate::Refused)})));
    if (!result.status.ok) return kExitFailed;
    return result.counts[static_cast<std::size_t>(RowFate::Refused)] != 0 ? kExitSomeRefused : kExitDone;
}

}  // namespace dralmoft
