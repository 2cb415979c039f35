// dralmoft-bench-sides FROM TO: each side of an export's run measured alone, on the
// company the ERP's settings name (as the exporter finds it). First the side that talks to
// the server: every element read and grouped into plain values, kept (timed: read_s).
// Then the side that makes the file, on those values with the folder's account files: the
// accounts, the records, the period check, the log's entries and the file in OEM (timed:
// write_s, the best of three). The run overlaps the two; the larger one is its limit.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "base/server_error.h"
#include "check/period_check.h"
#include "data/atomic_save.h"
#include "data/windows/connection_setup.h"
#include "data/windows/windows_file_system.h"
#include "export/document_reader.h"
#include "export/document_writer.h"
#include "export/journal_writer.h"
#include "export/windows/com_document_source.h"
#include "export/windows/locale_date.h"
#include "log/export_log_observer.h"
#include "mapping/account_file.h"
#include "win/com_apartment.h"
#include "win/low_fragmentation_heaps.h"

using namespace dralmoft;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

std::vector<ReadElement> ReadAll(double from, double to) {
    Microsoft::WRL::ComPtr<IBusinessTable> server;
    Microsoft::WRL::ComPtr<IDataService> query;
    ComDocumentSource source(server, query);
    const DateFormatter format = FormatUserDate;
    DocumentReader reader(source, format);
    std::vector<ReadElement> elements(source.Open(from, to));
    for (std::size_t index = 0; index < elements.size(); ++index) reader.Read(index, elements[index]);
    return elements;
}

double WriteAll(const std::vector<ReadElement>& elements, const AccountTables& tables, FileSystem& files) {
    AccountLookups accounts(tables);
    PeriodCheck check(false);
    ExportLogObserver observer({}, false);
    AtomicFileWriter file(files, u"sides-bench.txt");
    JournalWriter sink(files, file, false);
    if (!sink.Open().ok) throw ServerError(kStatusInvalidArgument, "cannot write sides-bench.txt");
    const auto start = Clock::now();
    check.Started();
    DocumentWriter writer(sink, accounts, &observer, &check);
    std::string separator = ";";
    for (const ReadElement& element : elements)
        if (!writer.Take(element, separator).ok) throw ServerError(kStatusInvalidArgument, "write failed");
    return Seconds(start);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fputs("usage: dralmoft-bench-sides FROM TO (OLE dates)\n", stderr);
        return 2;
    }
    // As the exporter runs.
    UseLowFragmentationHeaps();
    const ComApartment apartment;
    try {
        RegisterDatabases(ReadConnectionSettings());
        const auto readStart = Clock::now();
        const std::vector<ReadElement> elements = ReadAll(std::wcstod(argv[1], nullptr), std::wcstod(argv[2], nullptr));
        const double read = Seconds(readStart);
        WindowsFileSystem files;
        AccountMap clients, suppliers, items;
        VatAccountMap vat;
        const AccountTables tables{clients, suppliers, items, vat};
        AccountFile accountFiles(files, u"", false);
        LoadAccountFiles(accountFiles, tables, [](AccountKind, const AccountLoad&) {});
        double write = 1e9;
        for (int round = 0; round < 3; ++round) write = std::min(write, WriteAll(elements, tables, files));
        // One "name value" line each: scripts/run-bench.sh reads them by name.
        std::printf("read_s %.3f\nwrite_s %.3f\nelements %zu\n", read, write, elements.size());
    } catch (const ServerError& error) {
        std::fprintf(stderr, "server error %s\n", error.what());
        return 1;
    }
    return 0;
}
