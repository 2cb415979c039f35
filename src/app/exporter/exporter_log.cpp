#include "app/exporter/exporter_log.h"

#include <windows.h>

#include "app/exporter/console_text.h"
#include "app/exporter/exit_codes.h"
#include "app/exporter/exporter_policy.h"
#include "app/exporter/output_failure.h"
#include "app/shared/resource.h"
#include "app/shared/shared_messages.h"
#include "log/export_log.h"
#include "log/windows/export_author.h"
#include "win/string_table.h"
#include "win/wide_text.h"

namespace dralmoft {
namespace {

bool Told(const LogStatus& status) {
    if (!status.ok) TellLogNotOpened(status);
    return status.ok;
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
            const std::wstring line = std::to_wstring(batch.number) + L"\t" + Part(batch.when) + L"\t" +
                                      AsWide(batch.user) + L"\t" + Part(batch.from) + L"\t" + Part(batch.to) + L"\t" +
                                      std::to_wstring(batch.documents) + L"\t" + std::to_wstring(batch.records) +
                                      L"\t" + (batch.Undone() ? L"undone" : L"ok") + L"\t" + AsWide(batch.path);
            if (!Tell(STD_OUTPUT_HANDLE, line)) return OutputNotWritten();
        }
        return kExitDone;
    }
    const ExportAuthor author = CurrentExportAuthor();
    UndoResult result = UndoResult::Unknown;
    UndoEffect effect;
    if (present && !Told(log.Undo(options.forget, author.when, author.user, result, &effect))) return kExitFailed;
    const std::wstring number = std::to_wstring(options.forget);
    if (result != UndoResult::Undone) {
        Tell(STD_ERROR_HANDLE,
             LoadMessage(result == UndoResult::Unknown ? IDS_FORGET_UNKNOWN : IDS_FORGET_ALREADY, {number}));
        return kExitUsage;
    }
    Tell(STD_OUTPUT_HANDLE, LoadMessage(IDS_FORGOTTEN, {number, UndoEffectText(effect, L" ")}));
    return kExitDone;
}

}  // namespace dralmoft
