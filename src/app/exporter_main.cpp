// dralmoft-export: the export of a period without the window, for scheduled month-end
// runs and scripts. It points the server at the ERP's databases as the window does,
// reads the four account files of the current directory (and never writes them), and
// prints one summary line.
//
//   dralmoft-export --from YYYY-MM-DD --to YYYY-MM-DD --out FILE [--separator TEXT] [--cp1253]
//
// Exit 0 on success, 1 on a server or file error (told on standard error as the window
// tells it), 2 on a usage error.
#include <windows.h>
#include <objbase.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/console_text.h"
#include "app/export_messages.h"
#include "app/resource.h"
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

struct Options {
    double from = 0.0;
    double to = 0.0;
    std::string out;
    std::string separator = ";";
    bool keepCodePage = false;
};

constexpr char kUsage[] =
    "usage: dralmoft-export --from YYYY-MM-DD --to YYYY-MM-DD --out FILE [--separator TEXT] [--cp1253]\r\n"
    "  Writes the ledger file of the period from the ERP's server, with the accounts of\r\n"
    "  client.txt, supplier.txt, products.txt and fpa.txt in the current directory.\r\n"
    "  --separator  the field separator (default \";\")\r\n"
    "  --cp1253     keep the Greek code page 1253 (default: the OEM code page 737)\r\n";

void Tell(DWORD stream, const std::string& text) { WriteConsoleText1253(stream, text + "\r\n"); }

std::optional<Options> ParseArguments(int argc, wchar_t** argv, bool& help) {
    Options options;
    bool from = false, to = false;
    for (int i = 1; i < argc; ++i) {
        const std::wstring flag = argv[i];
        if (flag == L"--help" || flag == L"-h" || flag == L"/?") {
            help = true;
            return std::nullopt;
        }
        if (flag == L"--cp1253") {
            options.keepCodePage = true;
            continue;
        }
        if (i + 1 >= argc) return std::nullopt;
        const std::string value = FromWide(argv[++i]);
        if (flag == L"--from" || flag == L"--to") {
            const std::optional<double> date = value.size() == 10 ? ParseOleDate(value) : std::nullopt;
            if (!date) return std::nullopt;
            (flag == L"--from" ? options.from : options.to) = *date;
            (flag == L"--from" ? from : to) = true;
        } else if (flag == L"--out") {
            options.out = value;
        } else if (flag == L"--separator") {
            options.separator = value;
        } else {
            return std::nullopt;
        }
    }
    if (!from || !to || options.out.empty()) return std::nullopt;
    return options;
}

std::string Summary(const ExportSummary& summary, double seconds) {
    const std::size_t skipped = summary.notCommercial + summary.noTrader + summary.noLines;
    return FillMessage(
        "%1: %2 documents read, %3 exported, %4 skipped (%5 not commercial documents, %6 without "
        "trader, %7 without lines), %8 records, %9 s",
        {"", std::to_string(summary.read), std::to_string(summary.exported), std::to_string(skipped),
         std::to_string(summary.notCommercial), std::to_string(summary.noTrader), std::to_string(summary.noLines),
         std::to_string(summary.records), FormatFixed(seconds, 2)});
}

int Export(const Options& options) {
    const auto started = std::chrono::steady_clock::now();
    RegisterDatabases(ReadConnectionSettings());

    WindowsFileSystem files;
    AccountFile reader(files, false);
    AccountMap clients, suppliers, items;
    VatAccountMap vat;
    const AccountTables tables{clients, suppliers, items, vat};
    std::optional<std::string> unreadable;  // the first file that could not be read
    LoadAccountFiles(reader, tables, [&](AccountKind kind, const FileStatus& status) {
        if (!unreadable)
            unreadable = LoadMessage(IDS_ACCOUNT_FILE_UNREADABLE, {Utf16ToCp1253(AccountFileName(kind)), status.text});
    });
    if (unreadable) {
        Tell(STD_ERROR_HANDLE, *unreadable);
        return 1;
    }

    Microsoft::WRL::ComPtr<IBusinessTable> server;
    Microsoft::WRL::ComPtr<IDataService> documentQuery;
    ComDocumentSource source(server, documentQuery);
    const ExportRequest request{options.from, options.to, Cp1253ToUtf16(options.out), options.separator,
                                [&] { return options.keepCodePage; }};
    ExportOutcome outcome = ExportToFile(request, {source, tables, files, FormatUserDate});
    if (outcome.state == ExportOutcome::State::Pending) (void)outcome.Commit();
    if (const std::optional<std::string> failure = ExportFailureText(outcome, options.out)) {
        Tell(STD_ERROR_HANDLE, *failure);
        return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    Tell(STD_OUTPUT_HANDLE, Summary(outcome.summary, seconds).insert(0, options.out));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    bool help = false;
    const std::optional<Options> options = ParseArguments(argc, argv, help);
    if (!options) {
        Tell(help ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE, kUsage);
        return help ? 0 : 2;
    }
    const ComApartment apartment;
    try {
        return Export(*options);
    } catch (const ServerError& error) {
        Tell(STD_ERROR_HANDLE, LoadMessage(IDS_STARTUP_FAILED, {error.StatusHex(), error.Text()}));
        return 1;
    }
}
