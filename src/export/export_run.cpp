#include "export/export_run.h"

#include <algorithm>
#include <cmath>

#include "base/server_error.h"
#include "mapping/vat_rate_order.h"

namespace dralmoft {
namespace {

// The days an OLE date can name: 1 January 100 to 31 December 9999.
constexpr double kFirstOleDate = -657434.0;
constexpr double kLastOleDate = 2958465.0;
// "Η ημερομηνία του παραστατικού δεν είναι ημερομηνία." in Windows-1253, as the COM source
// says it of a date the server gives in another form.
constexpr char kInvalidDateText[] =
    "\xC7 \xE7\xEC\xE5\xF1\xEF\xEC\xE7\xED\xDF\xE1 \xF4\xEF\xF5 \xF0\xE1\xF1\xE1\xF3\xF4\xE1\xF4\xE9\xEA\xEF\xFD "
    "\xE4\xE5\xED \xE5\xDF\xED\xE1\xE9 \xE7\xEC\xE5\xF1\xEF\xEC\xE7\xED\xDF\xE1.";

}  // namespace

ExportRun::ExportRun(DocumentSource& source, RecordSink& sink, AccountTables accounts, DateFormatter formatDate,
                     ExportProgress* progress, DocumentObserver* observer, RunWatcher* watcher)
    : m_source(source),
      m_sink(sink),
      m_clients(accounts.clients),
      m_suppliers(accounts.suppliers),
      m_items(accounts.items),
      m_vat(accounts.vat),
      m_formatDate(std::move(formatDate)),
      m_progress(progress),
      m_observer(observer),
      m_watcher(watcher) {}

FileStatus ExportRun::Run(double from, double to, std::string& separator) {
    m_summary = {};
    m_current.clear();
    for (AccountIndex* index : {&m_clients, &m_suppliers, &m_items}) index->Reset();
    m_vat.Reset();
    if (m_watcher) m_watcher->Started();
    const std::size_t elements = m_source.Open(from, to);
    if (m_progress) m_progress->Start(elements);
    for (std::size_t index = 0; index < elements; ++index) {
        if (m_progress) m_progress->Step();
        ++m_summary.read;
        m_current = std::to_string(index + 1);
        m_current.insert(m_current.begin(), '#');
        SourceDocument* const document = m_source.DocumentAt(index);
        if (!document) {
            Skip(m_summary.notCommercial, SkipReason::NotCommercial);
            continue;
        }
        if (FileStatus status = ExportDocument(*document, separator); !status.ok) return status;
    }
    if (m_progress) m_progress->Finish();
    return FileStatus::Success();
}

FileStatus ExportRun::ExportDocument(SourceDocument& document, std::string& separator) {
    SourceText series = document.Series();
    m_fields.series = std::move(series.text);
    m_fields.serverSeries = std::move(series.server);
    m_fields.number = document.Number();
    SourceText name = document.Name();
    m_fields.name = std::move(name.text);
    m_fields.serverName = std::move(name.server);
    m_fields.reference = DocumentReference(m_fields.name, m_fields.series, m_fields.number);
    m_current = m_fields.reference;
    if (!document.OpenTrader()) {
        Skip(m_summary.noTrader, SkipReason::NoTrader);
        return FileStatus::Success();
    }
    const std::size_t lines = document.OpenLines();
    const double date = document.Date();
    if (!GroupLines(document, lines)) {
        Skip(m_summary.noLines, SkipReason::NoLines, date);
        return FileStatus::Success();
    }
    m_fields.kind = document.Kind();
    SourceText taxId = document.TaxId();
    m_fields.taxId = std::move(taxId.text);
    m_fields.serverTaxId = std::move(taxId.server);
    m_fields.traderNumber = document.TraderNumber();
    // A date that is no date (NaN, or past what an OLE date can be) is the server failing on
    // this document: it must not reach the table of dates, which a NaN would corrupt.
    // (A negative OLE date carries its time as a positive fraction: its day is the whole part.)
    if (!(std::trunc(date) >= kFirstOleDate && std::trunc(date) <= kLastOleDate))
        throw ServerError(kStatusInvalidArgument, kInvalidDateText);
    auto known = m_dates.find(date);
    if (known == m_dates.end()) {
        std::optional<std::string> text = m_formatDate(date);
        if (!text) throw DateFormatError(date);
        known = m_dates.emplace(date, std::move(*text)).first;
    }
    m_fields.date = known->second;
    m_fields.oleDate = date;
    if (separator.empty()) separator = ";";
    return WriteRecords(separator);
}

void ExportRun::Skip(std::size_t& count, SkipReason reason, double oleDate) {
    ++count;
    if (m_watcher) m_watcher->Skipped(reason, m_summary.read, m_current, oleDate);
}

bool ExportRun::GroupLines(SourceDocument& document, std::size_t lines) {
    m_groups.clear();
    bool hasLines = false;
    for (std::size_t index = 0; index < lines; ++index) {
        const std::optional<LineAmounts> line = document.LineAt(index);
        if (!line) continue;
        hasLines = true;
        GroupAccumulator& group = GroupFor(document, line->vatPercent);
        group.SetNetValue(group.NetValue() + line->net);
        group.SetVatPercent(line->vatPercent);
    }
    return hasLines;
}

// The group of `percent`, opened (named after the line's item) when the line is its first.
GroupAccumulator& ExportRun::GroupFor(SourceDocument& document, double percent) {
    const auto place = std::lower_bound(m_groups.begin(), m_groups.end(), percent,
                                        [](const Group& group, double p) { return VatRateOrder()(group.percent, p); });
    if (place != m_groups.end() && !VatRateOrder()(percent, place->percent)) return *place->accumulator;
    GroupAccumulator& group = document.NewGroup();
    m_groups.insert(place, Group{percent, &group});
    group.SetName(document.LineItemName());
    return group;
}

void ExportRun::ComposeRecords(std::string_view separator) {
    const bool sale = IsSale(m_fields.kind);
    m_records.Begin(m_fields, separator);
    m_text.clear();
    m_ends.clear();
    m_itemNames.resize(m_groups.size());
    m_composed.clear();
    double grossTotal = 0.0;
    double vatTotal = 0.0;
    for (std::size_t index = 0; index < m_groups.size(); ++index) {
        const auto& [percent, group] = m_groups[index];
        std::string& itemName = m_itemNames[index];
        itemName = group->Name();
        const double net = group->NetValue();
        const double vat = net * percent / 100;
        grossTotal += net + vat;
        vatTotal += vat;
        const ComposedGroup& composed = m_composed.emplace_back(ComposedGroup{
            percent, itemName, net, vat, VatAccountFor(m_vat[percent], sale), ItemAccountFor(m_items[itemName], sale)});
        // The VAT record and the item record share their first ten fields.
        m_head.clear();
        m_records.AppendGroupHead(m_head, net, vat);
        m_text.append(m_head);
        m_records.AppendVatTail(m_text, vat, composed.vatAccount);
        m_ends.push_back(m_text.size());
        m_text.append(m_head);
        m_records.AppendItemTail(m_text, net, composed.itemAccount);
        m_ends.push_back(m_text.size());
    }
    m_trader = {grossTotal, vatTotal, (sale ? m_clients : m_suppliers)[m_fields.taxId]};
    m_records.AppendTraderRecord(m_text, grossTotal, vatTotal, m_trader.account);
    m_ends.push_back(m_text.size());
}

FileStatus ExportRun::WriteRecords(std::string_view separator) {
    ComposeRecords(separator);
    const ComposedDocument composed(m_fields, m_text, m_ends, m_composed, m_trader, m_summary.read);
    if (m_observer != nullptr && !m_observer->Keep(composed)) {
        ++m_summary.leftOut;
        return FileStatus::Success();
    }
    for (std::size_t record = 0; record < composed.RecordCount(); ++record) {
        if (FileStatus status = m_sink.Write(composed.Record(record)); !status.ok) return status;
        ++m_summary.records;
    }
    ++m_summary.exported;
    if (m_watcher) m_watcher->Written(composed, separator);
    return FileStatus::Success();
}

}  // namespace dralmoft
