// dralmoft-export: the export of a period without the window, for scheduled month-end
// runs and scripts. It points the server at the ERP's databases as the window does,
// reads the four account files of the current directory (and writes them only under
// --accept), and prints one summary line.
//
//   dralmoft-export --from YYYY-MM-DD --to YYYY-MM-DD (--out FILE | --check)
//                   [--separator TEXT] [--cp1253] [--report FILE] [--strict]
//                   [--only-new | --no-log] [--same-company]
//   dralmoft-export --from YYYY-MM-DD --to YYYY-MM-DD (--suggest FILE | --accept FILE)
//   dralmoft-export --history | --forget N | --settle N posted|not-posted
//   dralmoft-export --version
//
// An export is recorded in the export log of the current directory (dralmoft-exports.db)
// once its file is written.
//
// Exit 0 on success, 1 on a server or file error (told on standard error as the window
// tells it), 2 on a usage error (named before the usage text) or a file that must not be
// written over (or, for --accept, a file that is not a proposals file), 4 when the period
// check finds blocking problems under --check or --strict, or --accept refused a row;
// never an abort (3 is what an abort gives).
#include <windows.h>
#include <objbase.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/exporter/console_text.h"
#include "app/exporter/exit_codes.h"
#include "app/exporter/exporter_log.h"
#include "app/exporter/exporter_policy.h"
#include "app/exporter/exporter_proposals.h"
#include "app/exporter/output_failure.h"
#include "app/shared/resource.h"
#include "app/shared/running_mark.h"
#include "app/shared/shared_messages.h"
#include "app/shared/version.h"
#include "base/code_page.h"
#include "base/iso_date.h"
#include "base/message_text.h"
#include "base/number_format.h"
#include "base/server_error.h"
#include "check/check_report_csv.h"
#include "data/windows/connection_setup.h"
#include "data/windows/windows_file_system.h"
#include "export/windows/com_document_source.h"
#include "export/windows/locale_date.h"
#include "log/windows/export_author.h"
#include "mapping/account_file.h"
#include "session/export_session.h"
#include "session/exporter_options.h"
#include "session/kept_files.h"
#include "win/com_apartment.h"
#include "win/low_fragmentation_heaps.h"
#include "win/string_table.h"
#include "win/wide_text.h"

using namespace dralmoft;

namespace {

constexpr char kUsage[] =
    "usage: dralmoft-export --from YYYY-MM-DD --to YYYY-MM-DD (--out FILE | --check)\r\n"
    "                       [--separator TEXT] [--cp1253] [--report FILE] [--strict]\r\n"
    "                       [--only-new | --no-log] [--same-company]\r\n"
    "       dralmoft-export --from YYYY-MM-DD --to YYYY-MM-DD (--suggest FILE | --accept FILE)\r\n"
    "       dralmoft-export --history | --forget N | --settle N posted|not-posted\r\n"
    "       dralmoft-export --version\r\n"
    "  Writes the ledger file of the period from the ERP's server, with the accounts of\r\n"
    "  client.txt, supplier.txt, products.txt and fpa.txt in the current directory.\r\n"
    "  --separator  the field separator (default \";\")\r\n"
    "  --cp1253     keep the Greek code page 1253 (default: the OEM code page 737)\r\n"
    "  --check      write no file: print the problems the ledger would meet (exit 4 if any)\r\n"
    "  --report     also write the check's report (problems and totals) as CSV\r\n"
    "  --strict     leave the file as it was when the check finds problems (exit 4)\r\n"
    "  --only-new   write only the documents the export log does not hold as they are\r\n"
    "  --no-log     neither consult nor keep the export log (dralmoft-exports.db)\r\n"
    "  --same-company  the server's company is the folder's, renamed or moved\r\n"
    "  --suggest    write account proposals for what the period lacks, as CSV\r\n"
    "  --accept     store the proposals of such a CSV in the account files\r\n"
    "  --history    print the export log's batches, newest first\r\n"
    "  --forget     undo batch N: its documents count as not exported\r\n"
    "  --settle     say whether pending batch N reached the ledger (posted) or not\r\n";

std::string Summary(const ExportSummary& summary, std::size_t blocking, const LogCounts& log, double seconds) {
    const std::size_t skipped = summary.notCommercial + summary.noTrader + summary.noLines;
    return FillMessage(
        "%1: %2 documents read, %3 exported, %4 skipped (%5 not commercial documents, %6 without "
        "trader, %7 without lines), %8 records, %9 blocking problems, %10 new, %11 changed, %12 already "
        "exported, %13 s",
        {"", std::to_string(summary.read), std::to_string(summary.exported), std::to_string(skipped),
         std::to_string(summary.notCommercial), std::to_string(summary.noTrader), std::to_string(summary.noLines),
         std::to_string(summary.records), std::to_string(blocking), std::to_string(log.fresh),
         std::to_string(log.changed), std::to_string(log.already), FormatFixed(seconds, 2)});
}

// Loads the four account files of the current directory, never creating one. A missing
// file or one in another encoding is a warning; an unreadable one ends the export.
bool LoadAccounts(FileSystem& files, const AccountTables& tables) {
    AccountFile reader(files, u"", false);
    std::optional<std::wstring> unreadable;  // the first file that could not be read
    LoadAccountFiles(reader, tables, [&](AccountKind kind, const AccountLoad& load) {
        const std::wstring name = AsWide(AccountFileName(kind));
        if (!load.status.ok) {
            if (!unreadable) unreadable = LoadMessage(IDS_ACCOUNT_FILE_UNREADABLE, {name, Part(load.status.text)});
        } else if (!files.SizeOf(reader.PathOf(kind))) {
            Tell(STD_ERROR_HANDLE, LoadMessage(IDS_ACCOUNT_FILE_MISSING, {name}));
        } else if (load.encoding != TextEncoding::Windows1253) {
            const UINT encoding = load.encoding == TextEncoding::Utf8 ? IDS_ENCODING_UTF8 : IDS_ENCODING_UTF16;
            Tell(STD_ERROR_HANDLE, LoadMessage(IDS_ACCOUNT_FILE_ENCODING, {name, LoadWideString(encoding)}));
        }
    });
    if (unreadable) Tell(STD_ERROR_HANDLE, *unreadable);
    return !unreadable;
}

// A usage error when the export or its report would write over a file that must stay (a
// file the folder keeps, a device), or the report over the export.
bool WritesOverKeptFile(FileSystem& files, const ExporterOptions& options) {
    const std::u16string& target = options.check ? options.report : options.out;
    for (const std::u16string* path : {&options.out, &options.report, &options.suggest}) {
        if (path->empty()) continue;
        if (const std::optional<KeptFile> kept = KeptFileAt(files, u"", *path)) {
            const WrittenFile written = path == &options.out      ? WrittenFile::Export
                                        : path == &options.report ? WrittenFile::Report
                                                                  : WrittenFile::Proposals;
            Tell(STD_ERROR_HANDLE, KeptFileText(*kept, AsWide(*path), u"", written));
            return true;
        }
    }
    if (!options.check && !options.report.empty() && files.SameFile(options.report, options.out)) {
        Tell(STD_ERROR_HANDLE, LoadMessage(IDS_REPORT_OVER_FILE, {AsWide(options.report), AsWide(target)}));
        return true;
    }
    return false;
}

// What became of the file beyond its failure: nothing new to write, kept by --strict, by
// the log, or written with problems.
void TellSettled(const SessionResult& result, const ExporterOptions& options) {
    const std::wstring out = AsWide(options.out);
    const CheckReport& report = result.report;
    if (result.kept == SessionResult::Kept::ReportNotWritten) {
        Tell(STD_ERROR_HANDLE, ReportNotSavedText(AsWide(options.report), result.reportStatus) + L"\n\n" +
                                   LoadMessage(IDS_NOTHING_WRITTEN_FOR_REPORT, {out}));
    } else if (result.outcome.state != ExportOutcome::State::Written && !result.reportStatus.ok) {
        Tell(STD_ERROR_HANDLE,
             LoadMessage(IDS_REPORT_NOT_PUT_BACK, {AsWide(options.report), out, Part(result.reportStatus.text)}));
    }
    if (result.kept == SessionResult::Kept::ChangedMeanwhile) {
        Tell(STD_ERROR_HANDLE, ChangedMeanwhileText(*result.changedMeanwhile, out));
    } else if (result.kept == SessionResult::Kept::LogNotWritable) {
        Tell(STD_ERROR_HANDLE,
             LoadMessage(IDS_LOG_NOT_WRITABLE, {out, ExporterLogName(), LogStatusText(result.logStatus)}));
    } else if (result.kept == SessionResult::Kept::NothingNew) {
        Tell(STD_ERROR_HANDLE, LoadMessage(IDS_NOTHING_NEW, {out}));
    } else if (result.kept == SessionResult::Kept::Problems) {
        Tell(STD_ERROR_HANDLE, LoadMessage(IDS_STRICT_NOT_WRITTEN, {out, CheckCountLines(report, true)}) + L"\n\n" +
                                   EarlierFileText(result.outcome));
    } else if (result.outcome.state == ExportOutcome::State::Written && report.BlockingCount() != 0) {
        Tell(STD_ERROR_HANDLE, LoadMessage(IDS_EXPORT_HAS_PROBLEMS, {out, CheckCountLines(report, true)}));
    }
}

// The session of the options' period, after the settings and the account files.
SessionResult RunSession(const ExporterOptions& options, FileSystem& files, const AccountTables& tables) {
    Microsoft::WRL::ComPtr<IBusinessTable> server;
    Microsoft::WRL::ComPtr<IDataService> documentQuery;
    ComDocumentSource source(server, documentQuery);
    const SessionRequest request{{options.from, options.to, options.out, options.separator, options.keepCodePage},
                                 options.Checks(),
                                 !options.noLog,
                                 options.onlyNew,
                                 std::u16string(ExportLog::kFileName),
                                 // An export's report goes with its file; a check's is its only file.
                                 options.Checks() ? std::u16string() : options.report};
    ExporterPolicy policy(options);
    return RunExportSession(request, {source, tables, files, FormatUserDate, nullptr, CurrentExportAuthor}, policy);
}

// The summary line of the run, naming its file (or period), with the time since `started`.
bool TellSummary(const SessionResult& result, const std::wstring& name, std::chrono::steady_clock::time_point started) {
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return Tell(STD_OUTPUT_HANDLE,
                name + Part(Summary(result.outcome.summary, result.report.BlockingCount(), result.counts, seconds)));
}

// After the session: the report, the check's problems, the summary line with the time
// since `started`; the exit code.
int Present(const SessionResult& result, const ExporterOptions& options, FileSystem& files,
            std::chrono::steady_clock::time_point started) {
    const CheckReport& report = result.report;
    if (!options.report.empty() && !result.reportWritten) {
        const FileStatus saved = SaveCheckReport(files, options.report, report);
        if (!saved.ok) {
            Tell(STD_ERROR_HANDLE, ReportNotSavedText(AsWide(options.report), saved));
            return kExitFailed;
        }
    }
    // A check's problems and summary are its product; an export's summary only tells of
    // a file that stands whether it is read or not.
    if (options.check &&
        !WriteProblemsCsv(report, [](std::string_view piece) { return WriteConsoleUtf8(STD_OUTPUT_HANDLE, piece); }))
        return OutputNotWritten();
    // A check has no file to name: its line names the period.
    const std::wstring name =
        options.check ? Part(FormatIsoDate(options.from) + ".." + FormatIsoDate(options.to)) : AsWide(options.out);
    if (!TellSummary(result, name, started) && options.check) return OutputNotWritten();
    const bool blocked = report.BlockingCount() != 0 && (options.check || options.strict);
    return blocked ? kExitBlocked : kExitDone;
}

int Export(const ExporterOptions& options) {
    const auto started = std::chrono::steady_clock::now();
    WindowsFileSystem files;
    if (WritesOverKeptFile(files, options)) return kExitUsage;
    // A proposals file that cannot be stored is told before the server is asked.
    ProposalsFile accepted;
    if (!options.accept.empty())
        if (const std::optional<int> failed = ReadAcceptFile(files, options.accept, accepted)) return *failed;

    const ConnectionSettings settings = ReadConnectionSettings();
    if (settings.location.empty()) Tell(STD_ERROR_HANDLE, DatabaseNotSetText(settings));
    RegisterDatabases(settings);

    AccountMap clients, suppliers, items;
    VatAccountMap vat;
    const AccountTables tables{clients, suppliers, items, vat};
    if (!LoadAccounts(files, tables)) return kExitFailed;

    const SessionResult result = RunSession(options, files, tables);
    // The policy told why it stopped. Another company's folder is the caller's mistake.
    if (result.end == SessionResult::End::Stopped) return result.otherCompany ? kExitUsage : kExitFailed;
    TellSettled(result, options);
    const std::wstring out = AsWide(options.out);
    // Exit 1 only when the target is as it was and nothing was recorded: a batch left
    // pending is a warning, which the next export settles.
    if (result.LeftPending()) {
        const bool written = result.outcome.state == ExportOutcome::State::Written;
        Tell(STD_ERROR_HANDLE,
             LoadMessage(written ? IDS_LEFT_PENDING : IDS_LEFT_PENDING_NOT_WRITTEN,
                         {out, ExporterLogName(), LogStatusText(result.logStatus), std::to_wstring(result.batch)}));
    }
    if (const auto failure =
            options.Checks() ? CheckFailureText(result.outcome) : ExportFailureText(result.outcome, out)) {
        Tell(STD_ERROR_HANDLE, *failure);
        return kExitFailed;
    }
    if (result.kept == SessionResult::Kept::ChangedMeanwhile || result.kept == SessionResult::Kept::LogNotWritable ||
        result.kept == SessionResult::Kept::ReportNotWritten)
        return kExitFailed;
    if (!options.accept.empty()) return StoreAccepted(files, options.accept, accepted, result.report, tables);
    if (!options.suggest.empty()) {
        const int written = WriteSuggestions(files, options.suggest, result.report, tables);
        if (written == kExitDone) TellSummary(result, AsWide(options.suggest), started);
        return written;
    }
    return Present(result, options, files, started);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    UseLowFragmentationHeaps();
    // For the installer: an export runs from this folder.
    const RunningMark running;
    try {
        std::vector<std::u16string> arguments;
        for (int i = 1; i < argc; ++i) arguments.push_back(AsUtf16(argv[i]));
        const ExporterArguments parsed = ParseExporterArguments(arguments);
        if (parsed.version) {
            Tell(STD_OUTPUT_HANDLE, L"dralmoft-export " DRALMOFT_VERSION_WIDE);
            return kExitDone;
        }
        if (!parsed.options) {
            if (!parsed.error.empty()) Tell(STD_ERROR_HANDLE, Part(parsed.error));
            Tell(parsed.help ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE, Part(kUsage));
            return parsed.help ? kExitDone : kExitUsage;
        }
        const ComApartment apartment;
        try {
            const ExporterOptions& options = *parsed.options;
            return options.LogAction() ? RunLogAction(options) : Export(options);
        } catch (const ServerError& error) {
            Tell(STD_ERROR_HANDLE, LoadMessage(IDS_STARTUP_FAILED, {Part(error.StatusHex()), Part(error.Text())}));
            return kExitFailed;
        }
    } catch (const std::exception& error) {
        // Never an abort: whatever escaped is told, and the exit code says it failed.
        Tell(STD_ERROR_HANDLE, LoadMessage(IDS_EXPORTER_UNEXPECTED_ERROR, {Part(error.what())}));
        return kExitFailed;
    } catch (...) {
        Tell(STD_ERROR_HANDLE, LoadMessage(IDS_EXPORTER_UNEXPECTED_ERROR, {L"?"}));
        return kExitFailed;
    }
}
