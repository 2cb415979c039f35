#include "app/exporter/exporter_log.h"

#include <windows.h>

#include <algorithm>

#include "app/exporter/console_text.h"
#include "app/exporter/exit_codes.h"
#include "app/exporter/exporter_policy.h"
#include "app/exporter/output_failure.h"
#include "app/shared/resource.h"
#include "app/shared/shared_messages.h"
#include "data/windows/windows_file_system.h"
#include "log/export_log.h"
#include "log/windows/export_author.h"
#include "session/pending_batches.h"
#include "win/string_table.h"
#include "win/wide_text.h"

namespace dralmoft {
namespace {

bool Told(const LogStatus& status) {
    if (!status.ok) TellLogNotOpened(status);
    return status.ok;
}

// --settle N posted|not-posted: the user's word on a pending batch, which the export that
// found it could not tell from the files.
int Settle(ExportLog& log, bool present, const std::vector<ExportBatch>& batches, const ExporterOptions& options) {
    const std::wstring number = std::to_wstring(options.settle);
    const auto pending = std::find_if(batches.begin(), batches.end(), [&](const ExportBatch& batch) {
        return batch.number == options.settle && batch.state == BatchState::Pending;
    });
    if (!present || pending == batches.end()) {
        Tell(STD_ERROR_HANDLE, LoadMessage(IDS_SETTLE_NOT_PENDING, {number}));
        return kExitUsage;
    }
    WindowsFileSystem files;
    if (!Told(SettleAs(log, files, *pending, options.posted))) return kExitFailed;
    Tell(STD_OUTPUT_HANDLE, LoadMessage(options.posted ? IDS_SETTLED_POSTED : IDS_SETTLED_NOT_POSTED, {number}));
    return kExitDone;
}

}  // namespace

int RunLogAction(const ExporterOptions& options) {
    // Looking, or undoing what is not there, does not create a log.
    const std::u16string path(ExportLog::kFileName);
    const bool present = ExportLog::Exists(path);
    ExportLog log;
    if (present && !Told(log.OpenExisting(path))) return kExitFailed;
    std::vector<ExportBatch> batches;
    if (present && !Told(log.History(batches))) return kExitFailed;
    if (options.history) {
        // One line per batch, newest first, tab-separated, for scripts.
        for (const ExportBatch& batch : batches) {
            const wchar_t* const state = batch.Undone()                       ? L"undone"
                                         : batch.state == BatchState::Pending ? L"pending"
                                                                              : L"ok";
            const std::wstring line = std::to_wstring(batch.number) + L"\t" + Part(batch.when) + L"\t" +
                                      AsWide(batch.user) + L"\t" + Part(batch.from) + L"\t" + Part(batch.to) + L"\t" +
                                      std::to_wstring(batch.documents) + L"\t" + std::to_wstring(batch.records) +
                                      L"\t" + state + L"\t" + AsWide(batch.path) + L"\t" + AsWide(batch.company);
            if (!Tell(STD_OUTPUT_HANDLE, line)) return OutputNotWritten();
        }
        return kExitDone;
    }
    if (options.settle != 0) return Settle(log, present, batches, options);
    const ExportAuthor author = CurrentExportAuthor();
    UndoResult result = UndoResult::Unknown;
    UndoEffect effect;
    if (present && !Told(log.Undo(options.forget, author.when, author.user, result, &effect))) return kExitFailed;
    const std::wstring number = std::to_wstring(options.forget);
    if (result != UndoResult::Undone) {
        const UINT told = result == UndoResult::Unknown   ? IDS_FORGET_UNKNOWN
                          : result == UndoResult::Pending ? IDS_FORGET_PENDING
                                                          : IDS_FORGET_ALREADY;
        Tell(STD_ERROR_HANDLE, LoadMessage(told, {number}));
        return kExitUsage;
    }
    Tell(STD_OUTPUT_HANDLE, LoadMessage(IDS_FORGOTTEN, {number, UndoEffectText(effect, L" ")}));
    return kExitDone;
}

}  // namespace dralmoft
