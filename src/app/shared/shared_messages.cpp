#include "app/shared/shared_messages.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "app/shared/resource.h"
#include "base/code_page.h"
#include "base/iso_date.h"
#include "data/windows/connection_setup.h"
#include "export/windows/locale_date.h"
#include "win/string_table.h"
#include "win/system_error.h"
#include "win/wide_text.h"

namespace dralmoft {
namespace {

static_assert(IDS_CHECK_COUNT_LAST - IDS_CHECK_COUNT_FIRST + 1 == kCheckCodeCount,
              "a count text per check code, in the order of CheckCode");

// The date the system could not write in the user's form, as the log writes days.
std::wstring UnwrittenDateText(const ExportOutcome& outcome) { return Part(FormatIsoDate(outcome.unwrittenDate)); }

// A message, then the lines that follow it, each after an empty line.
std::wstring Paragraphs(std::wstring text, std::initializer_list<std::wstring> more) {
    for (const std::wstring& line : more) {
        if (!line.empty()) text.append(L"\n\n").append(line);
    }
    return text;
}

}  // namespace

std::wstring IsoDayText(const std::string& day) {
    const std::optional<double> date = ParseOleDate(day);
    return Part(date ? UserDateText(*date) : day);
}

std::wstring UndoEffectText(const UndoEffect& effect, std::wstring_view between) {
    std::wstring text;
    const std::pair<std::int64_t, UINT> parts[] = {
        {effect.fresh, IDS_UNDO_FRESH}, {effect.earlier, IDS_UNDO_EARLIER}, {effect.later, IDS_UNDO_LATER}};
    for (const auto& [count, message] : parts) {
        if (count == 0) continue;
        if (!text.empty()) text.append(between);
        text.append(LoadMessage(message, {std::to_wstring(count)}));
    }
    return text;
}

std::wstring AuthorText(const std::u16string& user, const std::u16string& machine) {
    return machine.empty() ? AsWide(user) : AsWide(user) + L" (" + AsWide(machine) + L")";
}

std::wstring UncertainBatchText(const ExportBatch& batch) {
    return LoadMessage(IDS_UNCERTAIN_BATCH,
                       {std::to_wstring(batch.number), BatchTime(batch.when, true),
                        AuthorText(batch.user, batch.machine), BatchPeriodText(batch), std::to_wstring(batch.documents),
                        AsWide(batch.target.empty() ? batch.path : batch.target)});
}

std::wstring ChangedMeanwhileText(const ExportBatch& batch, std::wstring_view path) {
    return LoadMessage(IDS_CHANGED_MEANWHILE, {std::to_wstring(batch.number), BatchTime(batch.when, true),
                                               AuthorText(batch.user, batch.machine), path});
}

std::wstring BatchPeriodText(const ExportBatch& batch) {
    return IsoDayText(batch.from) + L" - " + IsoDayText(batch.to);
}

std::wstring BatchTime(const std::string& when, bool withTime) {
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    if (std::sscanf(when.c_str(), "%4hu-%2hu-%2huT%2hu:%2hu:%2hu", &utc.wYear, &utc.wMonth, &utc.wDay, &utc.wHour,
                    &utc.wMinute, &utc.wSecond) != 6 ||
        !::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return Part(when);
    char day[16] = {};
    std::snprintf(day, sizeof day, "%04u-%02u-%02u", local.wYear, local.wMonth, local.wDay);
    std::wstring text = IsoDayText(day);
    if (!withTime) return text;
    wchar_t time[8] = {};
    std::swprintf(time, std::size(time), L" %02u:%02u", local.wHour, local.wMinute);
    return text + time;
}

std::wstring LoggedBatchLines(const PeriodExports& exports) {
    // A question or a warning stays readable after a year of weekly re-exports.
    constexpr std::size_t kShown = 6;
    std::wstring lines;
    const auto& batches = exports.batches;
    for (auto batch = batches.rbegin(); batch != batches.rend(); ++batch) {
        const auto index = static_cast<std::size_t>(batch - batches.rbegin());
        if (!lines.empty()) lines += L"\n";
        if (index == kShown) {
            lines += LoadMessage(IDS_LOG_MORE_BATCHES, {std::to_wstring(batches.size() - kShown)});
            break;
        }
        lines += LoadMessage(IDS_LOG_BATCH_LINE, {std::to_wstring(batch->documents), BatchTime(batch->when, false),
                                                  std::to_wstring(batch->number)});
    }
    return lines;
}

// Only a file that was there can have stayed as it was.
std::wstring EarlierFileText(const ExportOutcome& outcome) {
    return LoadWideString(outcome.targetExisted ? IDS_EARLIER_FILE_KEPT : IDS_NO_EARLIER_FILE);
}

std::optional<std::wstring> CheckFailureText(const ExportOutcome& outcome) {
    if (outcome.state == ExportOutcome::State::DateFailed)
        return LoadMessage(IDS_CHECK_DATE_FAILED, {UnwrittenDateText(outcome), Part(outcome.document)});
    if (outcome.state != ExportOutcome::State::ServerFailed) return std::nullopt;
    const ServerError& error = *outcome.serverError;
    const std::wstring status = Part(error.StatusHex());
    if (outcome.document.empty()) return LoadMessage(IDS_CHECK_FAILED_PERIOD, {status, Part(error.Text())});
    return LoadMessage(IDS_CHECK_FAILED, {status, Part(outcome.document), Part(error.Text())});
}

std::wstring CheckCountLines(const CheckReport& report, bool blockingOnly) {
    const auto counts = report.DocumentCounts();
    std::wstring lines;
    for (std::size_t code = 0; code < counts.size(); ++code) {
        if (counts[code] == 0 || (blockingOnly && !IsBlocking(static_cast<CheckCode>(code)))) continue;
        if (!lines.empty()) lines.push_back(L'\n');
        lines.append(LoadMessage(IDS_CHECK_COUNT_FIRST + static_cast<UINT>(code), {std::to_wstring(counts[code])}));
    }
    return lines;
}

std::wstring KeptFileText(const KeptFile& kept, std::wstring_view path, std::u16string_view folder,
                          WrittenFile written) {
    const std::wstring keptPath = AsWide(std::u16string(folder) + kept.name);
    switch (kept.kind) {
        case KeptKind::AccountFile:
            return LoadMessage(written == WrittenFile::Report      ? IDS_REPORT_OVER_ACCOUNT_FILE
                               : written == WrittenFile::Proposals ? IDS_PROPOSALS_OVER_ACCOUNT_FILE
                                                                   : IDS_EXPORT_OVER_ACCOUNT_FILE,
                               {path, keptPath});
        case KeptKind::ExportLog: return LoadMessage(IDS_OVER_EXPORT_LOG, {path, keptPath});
        case KeptKind::ProgramFile: return LoadMessage(IDS_OVER_PROGRAM_FILE, {path});
        case KeptKind::Device: break;
    }
    return LoadMessage(IDS_TARGET_IS_DEVICE, {path});
}

std::wstring ReportNotSavedText(std::wstring_view path, const FileStatus& status) {
    return Paragraphs(LoadMessage(IDS_REPORT_NOT_SAVED, {std::wstring(path), Part(status.text)}),
                      {HelperFileText(status)});
}

std::wstring Part(std::string_view text) { return ToWide(text); }

std::wstring LogStatusText(const LogStatus& status) {
    // SQLite names files in its texts: a path in any language reaches the user as it is.
    if (const std::optional<std::u16string> text = Utf8ToUtf16(status.text)) return AsWide(*text);
    return Part(status.text);
}

std::optional<std::wstring> ExportFailureText(const ExportOutcome& outcome, std::wstring_view path) {
    using State = ExportOutcome::State;
    const FileStatus& file = outcome.fileError;
    switch (outcome.state) {
        case State::Unwritable:
            return Paragraphs(LoadMessage(IDS_EXPORT_FILE_UNWRITABLE, {path, Part(file.text)}), {HelperFileText(file)});
        case State::NotSaved:
            return Paragraphs(LoadMessage(IDS_EXPORT_FILE_NOT_SAVED, {path, Part(file.text)}),
                              {HelperFileText(file), EarlierFileText(outcome)});
        case State::ServerFailed: {
            const ServerError& error = *outcome.serverError;
            const std::wstring status = Part(error.StatusHex());
            // Before the first document the server failed on the period's query itself.
            const std::wstring failure =
                outcome.document.empty()
                    ? LoadMessage(IDS_EXPORT_FAILED_PERIOD, {path, status, Part(error.Text())})
                    : LoadMessage(IDS_EXPORT_FAILED, {path, status, Part(outcome.document), Part(error.Text())});
            return Paragraphs(failure, {EarlierFileText(outcome)});
        }
        case State::DateFailed:
            return Paragraphs(
                LoadMessage(IDS_EXPORT_DATE_FAILED, {path, UnwrittenDateText(outcome), Part(outcome.document)}),
                {EarlierFileText(outcome)});
        case State::Pending:
        case State::Checked:
        case State::Written:
        case State::Discarded: break;
    }
    return std::nullopt;
}

std::wstring DatabaseNotSetText(const ConnectionSettings& settings) {
    const std::wstring key = L"HKEY_CURRENT_USER\\" + SettingsKeyPath();
    if (settings.locationError == 0) return LoadMessage(IDS_DATABASE_NOT_SET, {key});
    return LoadMessage(IDS_DATABASE_NOT_READ, {key, Part(SystemErrorText(settings.locationError))});
}

std::wstring HelperFileText(const FileStatus& status) {
    return status.file.empty() ? std::wstring() : LoadMessage(IDS_HELPER_FILE, {AsWide(status.file)});
}

}  // namespace dralmoft
