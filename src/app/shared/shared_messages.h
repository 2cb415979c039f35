#pragma once
// The Greek texts that both programs show, in the window's message boxes and on the
// exporter's standard error: how an export failed, and what the settings lack. Wide, so
// that a file's path in any language is shown as it is.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "check/check_report.h"
#include "data/connection_settings.h"
#include "data/file_system.h"
#include "export/export_outcome.h"
#include "log/export_log.h"
#include "session/kept_files.h"

namespace dralmoft {

// The message for an outcome that failed, naming `path` (as the user gave it); nothing
// for one that is pending, written or discarded.
[[nodiscard]] std::optional<std::wstring> ExportFailureText(const ExportOutcome& outcome, std::wstring_view path);

// The message for a check (a run without a file) that failed; nothing for one that
// completed.
[[nodiscard]] std::optional<std::wstring> CheckFailureText(const ExportOutcome& outcome);

// A line per problem code the report has ("5 έγγραφα με πελάτη χωρίς λογαριασμό"), the
// blocking codes only or all of them, in the order of the codes.
[[nodiscard]] std::wstring CheckCountLines(const CheckReport& report, bool blockingOnly);

// The file a program would write: an export, a check's report, or account proposals.
enum class WrittenFile : std::uint8_t { Export, Report, Proposals };

// Why a file cannot be written to `path` (as the user gave it): it is `kept`, a file of the
// company `folder` or a device.
[[nodiscard]] std::wstring KeptFileText(const KeptFile& kept, std::wstring_view path, std::u16string_view folder,
                                        WrittenFile written);

// The message for a check report that could not be saved to `path`.
[[nodiscard]] std::wstring ReportNotSavedText(std::wstring_view path, const FileStatus& status);

// What became of an earlier file of the outcome's target: kept as it was, or none.
[[nodiscard]] std::wstring EarlierFileText(const ExportOutcome& outcome);

// The ERP's database location is not set in the settings key, or could not be read from
// it (with the system's reason).
[[nodiscard]] std::wstring DatabaseNotSetText(const ConnectionSettings& settings);

// The line that names a lock or temporary file a failure happened on; "" when none did.
[[nodiscard]] std::wstring HelperFileText(const FileStatus& status);

// A line per earlier batch that exported documents of a period ("312 έγγραφα της
// περιόδου εξήχθησαν στις 3/11/2026, εξαγωγή 14"), newest first, at most a few: the rest
// are counted in one more line.
[[nodiscard]] std::wstring LoggedBatchLines(const PeriodExports& exports);

// A batch's UTC time ("YYYY-MM-DDTHH:MM:SSZ") in the machine's local time, as the user
// writes dates: "3/11/2026", with `withTime` "3/11/2026 14:05".
[[nodiscard]] std::wstring BatchTime(const std::string& when, bool withTime);

// A "YYYY-MM-DD" date of the log as the user writes dates.
[[nodiscard]] std::wstring IsoDayText(const std::string& day);

// What an undo does to a batch's documents, a sentence per kind of effect it has, joined
// by `between`.
[[nodiscard]] std::wstring UndoEffectText(const UndoEffect& effect, std::wstring_view between);

// A batch's period as the user writes it: "1/3/2026 - 31/3/2026".
[[nodiscard]] std::wstring BatchPeriodText(const ExportBatch& batch);

// What is known of a pending batch whose file cannot be found in place or not: its
// number, time, user, period, documents and target.
[[nodiscard]] std::wstring UncertainBatchText(const ExportBatch& batch);
// That batch `batch` changed the log's period while an export to `path` ran.
[[nodiscard]] std::wstring ChangedMeanwhileText(const ExportBatch& batch, std::wstring_view path);
// Who exported: the user, and the machine in brackets when known.
[[nodiscard]] std::wstring AuthorText(const std::u16string& user, const std::u16string& machine);
// A program text (Windows-1253) as a message's part.
[[nodiscard]] std::wstring Part(std::string_view text);

// The export log's failure in SQLite's own words (UTF-8) as a message's part.
[[nodiscard]] std::wstring LogStatusText(const LogStatus& status);

}  // namespace dralmoft
