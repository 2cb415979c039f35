// dralmoft-bench-walk FOLDER FROM TO: registers the company in FOLDER with the demo
// server (timed: the server's load), then reads every document of the period with
// its header, trader and lines through COM, as an export does (timed: the walk).
#include <windows.h>
#include <objbase.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "bench_company.h"
#include "data/windows/collection_walk.h"
#include "data/windows/data_service.h"
#include "data/windows/server_objects.h"
#include "win/bstr.h"
#include "win/com_apartment.h"
#include "win/low_fragmentation_heaps.h"
#include "win/variant.h"

using namespace dralmoft;
using Microsoft::WRL::ComPtr;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

struct Totals {
    long documents = 0;
    long lines = 0;
    double amount = 0.0;
};

void ReadDocument(const ComPtr<ICommercialDocument>& document, Totals& totals) {
    Bstr name, series, taxId;
    long number = 0, kind = 0, traderNumber = 0;
    CallServer(document, &IDocument::GetSeries, series.Put());
    CallServer(document, &IDocument::GetNumber, &number);
    CallServer(document, &IBusinessObject::GetName, name.Put());
    ComPtr<ITrader> trader;
    CallServer(document, &IDocument::GetTrader, trader.ReleaseAndGetAddressOf());
    if (!trader) return;
    ComPtr<IBusinessCollection> lines;
    CallServer(document, &IDocument::GetLines, lines.ReleaseAndGetAddressOf());
    Variant date;
    CallServer(document, &IDocument::GetDate, date.Put());
    ForEachOffering<IDocumentLine>(lines, [&](const ComPtr<IDocumentLine>& line) {
        double value = 0, discount = 0, percent = 0;
        CallServer(line, &IDocumentLine::GetValue, kAmountSelector, &value);
        CallServer(line, &IDocumentLine::GetDiscount, kAmountSelector, &discount);
        CallServer(line, &IDocumentLine::GetVatPercent, &percent);
        ComPtr<IItem> item;
        CallServer(line, &IDocumentLine::GetLineItem, item.ReleaseAndGetAddressOf());
        if (item) {
            Bstr itemName;
            CallServer(item, &IBusinessObject::GetName, itemName.Put());
        }
        totals.amount += value - discount;
        ++totals.lines;
    });
    CallServer(document, &IDocument::GetKind, &kind);
    CallServer(trader, &ITrader::GetTaxId, taxId.Put());
    CallServer(trader, &ITrader::GetTraderNumber, &traderNumber);
    ++totals.documents;
}

Totals Walk(double from, double to) {
    ComPtr<IBusinessTable> root;
    const auto service = ConnectDataService(root);
    const Variant first = Variant::Double(from);
    const Variant last = Variant::Double(to);
    Totals totals;
    for (const long flag : {1L, 0L}) {
        ComPtr<IBusinessCollection> documents;
        CallServer(service, &IDataService::GetDocuments, first.Get(), last.Get(), flag, IID_IUnknown,
                   documents.ReleaseAndGetAddressOf());
        ForEachOffering<ICommercialDocument>(
            documents, [&](const ComPtr<ICommercialDocument>& document) { ReadDocument(document, totals); });
    }
    return totals;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fputs("usage: dralmoft-bench-walk FOLDER FROM TO (OLE dates)\n", stderr);
        return 2;
    }
    // As the exporter runs.
    UseLowFragmentationHeaps();
    const ComApartment apartment;
    int result = 0;
    try {
        const auto loadStart = Clock::now();
        bench::OpenCompany(argv[1]);
        const double load = Seconds(loadStart);
        const auto walkStart = Clock::now();
        const Totals totals = Walk(std::wcstod(argv[2], nullptr), std::wcstod(argv[3], nullptr));
        const double walk = Seconds(walkStart);
        // One "name value" line each: scripts/run-bench.sh reads them by name.
        std::printf("load_s %.3f\nwalk_s %.3f\ndocuments %ld\nlines %ld\ndocuments_per_s %.0f\nnet %.2f\n", load, walk,
                    totals.documents, totals.lines, totals.documents / walk, totals.amount);
    } catch (const ServerError& error) {
        std::fprintf(stderr, "server error %s\n", error.what());
        result = 1;
    }
    return result;
}
