// dralmoft-export: the export of a period without the window, for scheduled month-end
// runs and scripts. It points the server at the ERP's databases as the window does,
// reads the four account files of the current directory (and never writes them), and
// prints one summary line.
//
//   dralmoft-export --from YYYY-MM-DD --to YYYY-MM-DD --out FILE [--separator TEXT] [--cp1253]
//
// Exit 0 on success, 1 on a server or file error (told on standard error as the window
// tells it), 2 on a usage error (named before the usage text) or a file that must not be
// written over; never an abort.
#include <windows.h>
#include <objbase.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/console_text.h"
#include "app/exporter_options.h"
#include "app/resource.h"
#include "app/shared_messages.h"
#include "data/code_page.h"
#include "data/connection_setup.h"
#include "data/iso_date.h"
#include "data/message_text.h"
#include "data/number_format.h"
#include "data/server_error.h"
#include "data/windows_file_system.h"
#include "export/com_document_source.h"
#include "export/export_to_file.h"
#include "export/locale_date.h"
#include "mapping/account_file.h"
#include "win/com_apartment.h"
#include "win/string_table.h"
#include "win/wide_text.h"

using namespace dralmoft;

namespace {

constexpr char kUsage[] =
    "usage: dralmoft-export --from YYYY-MM-DD --to YYYY-MM-DD --out FILE [--separator TEXT] [--cp1253]\r\n"
    "  Writes the ledger file of the period from the ERP's server, with the accounts of\r\n"
    "  client.txt, supplier.txt, products.txt and fpa.txt in the current directory.\r\n"
    "  --separator  the field separator (default \";\")\r\n"
    "  --cp1253     keep the Greek code page 1253 (default: the OEM code page 737)\r\n";

// Exit codes: done, a server, file or log failure, a usage error.
constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsageError = 2;

void Tell(DWORD stream, std::wstring_view text) { WriteConsoleText(stream, AsUtf16(std::wstring(text) + L"\r\n")); }

std::string Summary(const ExportSummary& summary, double seconds) {
    const std::size_t skipped = summary.notCommercial + summary.noTrader + summary.noLines;
    return FillMessage(
        "%1: %2 documents read, %3 exported, %4 skipped (%5 not commercial documents, %6 without "
        "trader, %7 without lines), %8 records, %9 s",
        {"", std::to_string(summary.read), std::to_string(summary.exported), std::to_string(skipped),
         std::to_string(summary.notCommercial), std::to_string(summary.noTrader), std::to_string(summary.noLines),
         std::to_string(summary.records), FormatFixed(seconds, 2)});
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

int Export(const ExporterOptions& options) {
    const auto started = std::chrono::steady_clock::now();
    const std::wstring out = AsWide(options.out);
    WindowsFileSystem files;
    for (const AccountKind kind : kAccountLoadOrder) {
        if (!files.SameFile(options.out, std::u16string(AccountFileName(kind)))) continue;
        Tell(STD_ERROR_HANDLE, LoadMessage(IDS_EXPORT_OVER_ACCOUNT_FILE, {out, AsWide(AccountFileName(kind))}));
        return kUsageError;
    }

    const ConnectionSettings settings = ReadConnectionSettings();
    if (settings.location.empty()) Tell(STD_ERROR_HANDLE, DatabaseNotSetText());
    RegisterDatabases(settings);

    AccountMap clients, suppliers, items;
    VatAccountMap vat;
    const AccountTables tables{clients, suppliers, items, vat};
    if (!LoadAccounts(files, tables)) return kFailed;

    Microsoft::WRL::ComPtr<IBusinessTable> server;
    Microsoft::WRL::ComPtr<IDataService> documentQuery;
    ComDocumentSource source(server, documentQuery);
    const ExportRequest request{options.from, options.to, options.out, options.separator,
                                [&] { return options.keepCodePage; }};
    ExportOutcome outcome = ExportToFile(request, {source, tables, files, FormatUserDate});
    if (outcome.state == ExportOutcome::State::Pending) (void)outcome.Commit();
    if (const std::optional<std::wstring> failure = ExportFailureText(outcome, out)) {
        Tell(STD_ERROR_HANDLE, *failure);
        return kFailed;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    Tell(STD_OUTPUT_HANDLE, out + Part(Summary(outcome.summary, seconds)));
    return kDone;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        std::vector<std::u16string> arguments;
        for (int i = 1; i < argc; ++i) arguments.push_back(AsUtf16(argv[i]));
        const ExporterArguments parsed = ParseExporterArguments(arguments);
        if (!parsed.options) {
            if (!parsed.error.empty()) Tell(STD_ERROR_HANDLE, Part(parsed.error));
            Tell(parsed.help ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE, Part(kUsage));
            return parsed.help ? kDone : kUsageError;
        }
        const ComApartment apartment;
        try {
            return Export(*parsed.options);
        } catch (const ServerError& error) {
            Tell(STD_ERROR_HANDLE, LoadMessage(IDS_STARTUP_FAILED, {Part(error.StatusHex()), Part(error.Text())}));
            return kFailed;
        }
    } catch (const std::exception& error) {
        // Never an abort: whatever escaped is told, and the exit code says it failed.
        Tell(STD_ERROR_HANDLE, LoadMessage(IDS_EXPORTER_UNEXPECTED_ERROR, {Part(error.what())}));
        return kFailed;
    } catch (...) {
        Tell(STD_ERROR_HANDLE, LoadMessage(IDS_EXPORTER_UNEXPECTED_ERROR, {L"?"}));
        return kFailed;
    }
}
