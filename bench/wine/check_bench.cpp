// dralmoft-bench-check FOLDER FROM TO: what the period check costs an export against the
// demo server. Registers the company in FOLDER, reads the account files there, then runs
// the period into no file three times without the check and three times with it
// (alternating; the best of each kept): once with the folder's accounts, once more with
// an account for every key the runs looked up (a company with nothing to report but
// its rounding and skipped documents).
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "bench_company.h"
#include "check/period_check.h"
#include "data/windows/server_objects.h"
#include "data/windows/windows_file_system.h"
#include "export/export_to_file.h"
#include "export/windows/com_document_source.h"
#include "mapping/account_file.h"
#include "win/bstr.h"
#include "win/com_apartment.h"
#include "win/low_fragmentation_heaps.h"

using namespace dralmoft;
using Microsoft::WRL::ComPtr;
using Clock = std::chrono::steady_clock;

namespace {

struct Runs {
    double plain = 1e9;    // best run without the check, seconds
    double checked = 1e9;  // best run with it
    std::size_t problems = 0;
};

Runs Measure(const ExportRequest& request, FileSystem& files, const AccountTables& tables) {
    Runs runs;
    for (int round = 0; round < 3; ++round) {
        for (const bool withCheck : {false, true}) {
            ComPtr<IBusinessTable> server;
            ComPtr<IDataService> query;
            ComDocumentSource source(server, query);
            PeriodCheck check(request.keepCodePage);
            const auto start = Clock::now();
            const ExportOutcome outcome =
                CheckPeriod(request, {source, tables, files, [](double) { return std::string("1/1/2025"); }, nullptr,
                                      nullptr, withCheck ? &check : nullptr});
            const std::size_t problems = withCheck ? check.Report().problems.size() : 0;
            const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
            if (outcome.state != ExportOutcome::State::Checked) throw ServerError(kStatusInvalidArgument, "run failed");
            (withCheck ? runs.checked : runs.plain) = std::min(withCheck ? runs.checked : runs.plain, seconds);
            if (withCheck) runs.problems = problems;
        }
    }
    return runs;
}

// An account for every key the runs looked up (their lookups left each missing key in
// its table with an empty account).
void AccountForEveryKey(AccountMap& clients, AccountMap& suppliers, AccountMap& items, VatAccountMap& vat) {
    for (AccountMap* table : {&clients, &suppliers}) {
        for (const auto& [key, account] : *table)
            if (account.empty()) (*table)[key] = "30.00";
    }
    for (const auto& [key, account] : items)
        if (account.empty()) items[key] = "20.00;70.00";
    for (const auto& [rate, account] : vat)
        if (account.empty()) vat[rate] = "54.00;54.00.1;54.00.2";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fputs("usage: dralmoft-bench-check FOLDER FROM TO (OLE dates)\n", stderr);
        return 2;
    }
    // As the exporter runs.
    UseLowFragmentationHeaps();
    const ComApartment apartment;
    try {
        bench::OpenCompany(argv[1]);
        WindowsFileSystem files;
        AccountMap clients, suppliers, items;
        VatAccountMap vat;
        const AccountTables tables{clients, suppliers, items, vat};
        std::wstring folder(argv[1]);
        AccountFile reader(files, std::u16string(folder.begin(), folder.end()) + u"\\", false);
        LoadAccountFiles(reader, tables, [](AccountKind, const AccountLoad&) {});
        const ExportRequest request{std::wcstod(argv[2], nullptr), std::wcstod(argv[3], nullptr), {}, ";", false};
        const Runs given = Measure(request, files, tables);
        AccountForEveryKey(clients, suppliers, items, vat);
        const Runs complete = Measure(request, files, tables);
        // One "name value" line each: scripts/run-bench.sh reads them by name.
        std::printf(
            "run_s %.3f\nrun_check_s %.3f\nproblems %zu\nfull_run_s %.3f\nfull_run_check_s %.3f\n"
            "full_problems %zu\n",
            given.plain, given.checked, given.problems, complete.plain, complete.checked, complete.problems);
    } catch (const ServerError& error) {
        std::fprintf(stderr, "server error %s\n", error.what());
        return 1;
    }
    return 0;
}
