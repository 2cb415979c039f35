#include "app/exporter_log.h"

#include <windows.h>

#include "app/console_text.h"
#include "app/resource.h"
#include "app/shared_messages.h"
#include "data/iso_date.h"
#include "export/export_recording.h"
#include "export/locale_date.h"
#include "export/windows_author.h"
#include "win/string_table.h"
#include "win/wide_text.h"

namespace dralmoft {
namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsageError = 2;

const std::wstring kLogName = AsWide(std::u16string(ExportLog::kFileName));

bool Told(const LogStatus& status) {
    if (!status.ok) Tell(STD_ERROR_HANDLE, LoadMessage(IDS_LOG_NOT_OPENED, {kLogName, Part(status.text)}));
    return status.ok;
}

// The day of a batch as the user writes dates ("3/11/2026"); the log keeps UTC.
std::wstring BatchDay(const std::string& when) {
    const std::optional<double> day = ParseOleDate(when.substr(0, 10));
    return Part(day ? FormatUserDate(*day) : when);
}

}  // namespace

bool ReadExportLog(const ExporterOptions& options, ExportLog& log, LoggedDigests& logged) {
    // A check only reads: it does not create a log where there is none.
    if (options.check && ::GetFileAttributesW(kLogName.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    if (!Told(log.Open(std::u16string(ExportLog::kFileName)))) return false;
    if (!Told(log.LatestDigests(OleYear(options.from), OleYear(options.to), logged))) return false;
    // The check's report and --only-new say it document by document.
    if (options.onlyNew || options.check) return true;
    PeriodExports exported;
    if (!Told(log.InPeriod(FormatIsoDate(options.from), FormatIsoDate(options.to), exported))) return false;
    if (exported.documents == 0) return true;
    std::wstring batches;
    for (const PeriodExports::Batch& batch : exported.batches) {
        if (!batches.empty()) batches += L"\n";
        batches += LoadMessage(IDS_LOG_BATCH_LINE,
                               {std::to_wstring(batch.documents), BatchDay(batch.when), std::to_wstring(batch.number)});
    }
    Tell(STD_ERROR_HANDLE, LoadMessage(IDS_PERIOD_EXPORTED_BEFORE, {std::to_wstring(exported.documents), batches}));
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
    ExportLog log;
    if (!Told(log.Open(std::u16string(ExportLog::kFileName)))) return kFailed;
    std::vector<ExportBatch> batches;
    if (!Told(log.History(batches))) return kFailed;
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
    if (!Told(log.Undo(options.forget, author.when, author.user, result))) return kFailed;
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
