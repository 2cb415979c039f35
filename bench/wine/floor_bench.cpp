// dralmoft-bench-floor FROM TO [--no-log]: the floor of an export on this server. Points
// the server at the ERP's databases as the exporter does (timed: the load), then makes
// exactly the server calls an export of the period makes, in the same order, and nothing
// else (timed: the calls): no texts converted, no records, no file, no log. No export can
// be faster on this server. The company's name is asked for as an export with the log
// asks for it; --no-log leaves that out, as the exporter's --no-log does.
//
// The demo server counts its calls (DRALMOFT_DEMO_CALLS): a test holds this program and
// the exporter to the same counts, so that the floor stays the export's own.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "data/windows/collection_walk.h"
#include "data/windows/connection_setup.h"
#include "data/windows/data_service.h"
#include "data/windows/server_objects.h"
#include "mapping/vat_rate_order.h"
#include "win/bstr.h"
#include "win/com_apartment.h"
#include "win/low_fragmentation_heaps.h"
#include "win/variant.h"

using namespace dralmoft;
using Microsoft::WRL::ComPtr;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

struct Counts {
    long elements = 0;
    long documents = 0;  // with a trader and lines: those an export writes
    long groups = 0;
};

// A VAT group: the server's DocumentLine that sums it.
struct Group {
    double percent;
    ComPtr<IDocumentLine> line;
};

// A collection of lines and how many elements it has.
using Lines = std::vector<std::pair<ComPtr<IBusinessCollection>, long>>;

// The document's lines: its own, or (none of its own, made from other documents) its
// sources' lines in order.
Lines LinesOf(const ComPtr<ICommercialDocument>& document) {
    ComPtr<IBusinessCollection> own;
    CallServer(document, &IDocument::GetLines, own.ReleaseAndGetAddressOf());
    const long ownCount = CountOf(own);
    ComPtr<ILinkedDocument> linked;
    if (ownCount != 0 || FAILED(document.As(&linked))) return {{own, ownCount}};
    ComPtr<IBusinessCollection> sources;
    CallServer(linked, &ILinkedDocument::GetSourceDocuments, sources.ReleaseAndGetAddressOf());
    const long count = CountOf(sources);
    if (count == 0) return {{own, ownCount}};
    Lines lines;
    for (long index = 1; index <= count; ++index) {
        const auto source = ItemAs<ISourceDocument>(sources, index);
        ComPtr<IBusinessCollection> sourceLines;
        CallServer(source, &IDocument::GetLines, sourceLines.ReleaseAndGetAddressOf());
        const long sourceCount = CountOf(sourceLines);
        lines.emplace_back(std::move(sourceLines), sourceCount);
    }
    return lines;
}

// Sums the lines into their groups, as the export does, on the server's accumulators.
void GroupLines(const Lines& lines, const ComPtr<IClassFactory>& factory, std::vector<Group>& groups) {
    for (const auto& [collection, count] : lines) {
        for (long item = 1; item <= count; ++item) {
            const auto line = ItemAs<IDocumentLine>(collection, item);
            if (!line) continue;
            double value = 0.0, discount = 0.0, percent = 0.0;
            CallServer(line, &IDocumentLine::GetValue, kAmountSelector, &value);
            CallServer(line, &IDocumentLine::GetDiscount, kAmountSelector, &discount);
            CallServer(line, &IDocumentLine::GetVatPercent, &percent);
            auto place = std::lower_bound(groups.begin(), groups.end(), percent, [](const Group& group, double p) {
                return VatRateOrder()(group.percent, p);
            });
            if (place == groups.end() || VatRateOrder()(percent, place->percent)) {
                place = groups.insert(place,
                                      Group{percent, CreateServerObject<IDocumentLine>(factory, CLSID_DocumentLine)});
                ComPtr<IItem> itemObject;
                CallServer(line, &IDocumentLine::GetLineItem, itemObject.ReleaseAndGetAddressOf());
                Bstr name;
                CallServer(itemObject, &IItem::GetName, name.Put());
                CallServer(place->line, &IDocumentLine::SetName, name.Get());
            }
            double net = 0.0;
            CallServer(place->line, &IDocumentLine::GetNetValue, &net);
            CallServer(place->line, &IDocumentLine::SetNetValue, net + value - discount);
            CallServer(place->line, &IDocumentLine::SetVatPercent, percent);
        }
    }
}

void ReadDocument(const ComPtr<ICommercialDocument>& document, const ComPtr<IClassFactory>& factory,
                  std::vector<Group>& groups, Counts& counts) {
    Bstr series, name, taxId;
    long number = 0, kind = 0, traderNumber = 0;
    CallServer(document, &IDocument::GetSeries, series.Put());
    CallServer(document, &IDocument::GetNumber, &number);
    CallServer(document, &IDocument::GetName, name.Put());
    ComPtr<ITrader> trader;
    CallServer(document, &IDocument::GetTrader, trader.ReleaseAndGetAddressOf());
    if (!trader) return;
    const Lines lines = LinesOf(document);
    Variant date;
    CallServer(document, &IDocument::GetDate, date.Put());
    groups.clear();
    GroupLines(lines, factory, groups);
    if (groups.empty()) return;  // no element offers a line
    CallServer(document, &IDocument::GetKind, &kind);
    CallServer(trader, &ITrader::GetTaxId, taxId.Put());
    CallServer(trader, &ITrader::GetTraderNumber, &traderNumber);
    for (const Group& group : groups) {
        Bstr itemName;
        double net = 0.0;
        CallServer(group.line, &IDocumentLine::GetName, itemName.Put());
        CallServer(group.line, &IDocumentLine::GetNetValue, &net);
    }
    ++counts.documents;
    counts.groups += static_cast<long>(groups.size());
}

Counts Calls(double from, double to, bool companyName) {
    ComPtr<IBusinessTable> root;
    if (companyName) {
        Bstr name;
        CallServer(ConnectDataService(root), &IDataService::GetName, name.Put());
    }
    const auto service = ConnectDataService(root);
    const Variant first = Variant::Double(from);
    const Variant last = Variant::Double(to);
    ComPtr<IBusinessCollection> posted, others;
    CallServer(service, &IDataService::GetDocuments, first.Get(), last.Get(), 1L, IID_IUnknown,
               posted.ReleaseAndGetAddressOf());
    CallServer(service, &IDataService::GetDocuments, first.Get(), last.Get(), 0L, IID_IUnknown,
               others.ReleaseAndGetAddressOf());
    const long postedCount = std::max(0L, CountOf(posted));
    const long othersCount = std::max(0L, CountOf(others));
    const ComPtr<IClassFactory> factory = ServerClassFactory(CLSID_DocumentLine);
    Counts counts;
    std::vector<Group> groups;
    for (const auto& [collection, count] : {std::pair{posted, postedCount}, std::pair{others, othersCount}}) {
        for (long item = 1; item <= count; ++item) {
            ++counts.elements;
            if (const auto document = ItemAs<ICommercialDocument>(collection, item))
                ReadDocument(document, factory, groups, counts);
        }
    }
    return counts;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3 || argc > 4 || (argc == 4 && std::wcscmp(argv[3], L"--no-log") != 0)) {
        std::fputs("usage: dralmoft-bench-floor FROM TO (OLE dates) [--no-log]\n", stderr);
        return 2;
    }
    // As the exporter runs: the floor is the same process, without the export's own work.
    UseLowFragmentationHeaps();
    const ComApartment apartment;
    try {
        const auto loadStart = Clock::now();
        RegisterDatabases(ReadConnectionSettings());
        const double load = Seconds(loadStart);
        const auto callsStart = Clock::now();
        const Counts counts = Calls(std::wcstod(argv[1], nullptr), std::wcstod(argv[2], nullptr), argc == 3);
        const double calls = Seconds(callsStart);
        // One "name value" line each: scripts/run-bench.sh reads them by name.
        std::printf("load_s %.3f\ncalls_s %.3f\nfloor_s %.3f\nelements %ld\ndocuments %ld\ngroups %ld\n", load, calls,
                    load + calls, counts.elements, counts.documents, counts.groups);
    } catch (const ServerError& error) {
        std::fprintf(stderr, "server error %s\n", error.what());
        return 1;
    }
    return 0;
}
