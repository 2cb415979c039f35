#include "app/exporter_log.h"

#include <windows.h>

#include "app/console_text.h"
#include "app/resource.h"
#include "app/shared_messages.h"
#include "export/export_recording.h"
#include "export/logged_period.h"
#include "export/windows_author.h"
#include "win/string_table.h"
#include "win/wide_text.h"

namespace dralmoft {
namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsageError = 2;

const std::wstring kLogName = AsWide(std::u16string(ExportLog::kFileName));

// Whether the current directory has a log: looking does not create one.
bool LogPresent() { return ::GetFileAttributesW(kLogName.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool Told(const LogStatus& status) {
    if (!status.ok) Tell(STD_ERROR_HANDLE, LoadMessage(IDS_LOG_NOT_OPENED, {kLogName, Part(status.text)}));
    return status.ok;
}

}  // namespace

bool ReadExportLog(const ExporterOptions& options, ExportLog& log, LoggedDigests& logged) {
    // A check only reads: it does not create a log where there is none.
    if (options.check && !LogPresent()) return true;
    // The check's report and --only-new say it document by document; a plain export warns.
    const bool warn = !options.onlyNew && !options.check;
    LoggedPeriod period;
    if (!Told(OpenLoggedPeriod(log, std::u16string(ExportLog::kFileName), options.from, options.to, warn, period)))
        return false;
    logged = std::move(period.digests);
    if (period.exports.documents == 0) return true;
    Tell(STD_ERROR_HANDLE, LoadMessage(IDS_PERIOD_EXPORTED_BEFORE,
                                       {std::to_wstring(period.exports.documents), LoggedBatchLines(period.exports)}));
    return true;
}

bool RecordInExportLog(ExportLog& log, const ExportRequest& request, const ExportOutcome& outcome,
                       const ExportLogObserver& observer) {
    std::int64_t number = 0;
    const LogStatus status = RecordExport(log, request, outcome, observer, CurrentExportAuthor(), number);
    if (!status.ok)
        Tell(STD_ERROR_HANDLE, LoadMessage(IDS_LOG_NOT_WRITTEN, {AsWide(request.path), kLogName, Part(status.text)}));
    return status.ok;
}

int RunLogAction(const ExporterOptions& options) {
    // Looking, or undoing what is not there, does not create a log.
    const bool present = LogPresent();
    ExportLog log;
    if (present && !Told(log.Open(std::u16string(ExportLog::kFileName)))) return kFailed;
    std::vector<ExportBatch> batches;
    if (present && !Told(log.History(batches))) return kFailed;
    if (options.history) {
        // One line per batch, newest first, tab-separated, for scripts.
        for (const ExportBatch& batch : batches) {
            const std::wstring line = std::to_wstring(batch.number) + L"\t" + Part(batch.when) + L"\t" +
                                      AsWide(batch.user) + L"\t" + Part(batch.from) + L"\t" + Part(batch.to) + L"\t" +
                                      std::to_wstring(batch.documents) + L"\t" + std::to_wstring(batch.records) +
                                      L"\t" + (batch.Undone() ? L"undone" : L"ok") + L"\t" + AsWide(batch.path);
            Tell(STD_OUTPUT_HANDLE, line);
        }
        return kDone;
    }
    const ExportAuthor author = CurrentExportAuthor();
    UndoResult result = UndoResult::Unknown;
    if (present && !Told(log.Undo(options.forget, author.when, author.user, result))) return kFailed;
    const std::wstring number = std::to_wstring(options.forget);
    if (result != UndoResult::Undone) {
        Tell(STD_ERROR_HANDLE,
             LoadMessage(result == UndoResult::Unknown ? IDS_FORGET_UNKNOWN : IDS_FORGET_ALREADY, {number}));
        return kUsageError;
    }
    std::int64_t documents = 0;
    for (const ExportBatch& batch : batches)
        if (batch.number == options.forget) documents = batch.documents;
    Tell(STD_OUTPUT_HANDLE, LoadMessage(IDS_FORGOTTEN, {number, std::to_wstring(documents)}));
    return kDone;
}

}  // namespace dralmoft
