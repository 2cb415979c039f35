#include "export/export_run.h"

#include <algorithm>

#include "mapping/vat_rate_order.h"

namespace dralmoft {

ExportRun::ExportRun(DocumentSource& source, RecordSink& sink, ExportAccounts accounts, DateFormatter formatDate,
                     ExportProgress* progress)
    : m_source(source),
      m_sink(sink),
      m_accounts(accounts),
      m_clients(accounts.clients),
      m_suppliers(accounts.suppliers),
      m_items(accounts.items),
      m_formatDate(std::move(formatDate)),
      m_progress(progress) {}

FileStatus ExportRun::Run(double from, double to, std::string& separator) {
    m_summary = {};
    m_current.clear();
    for (AccountIndex* index : {&m_clients, &m_suppliers, &m_items}) index->Reset();
    const std::size_t elements = m_source.Open(from, to);
    if (m_progress) m_progress->Start(elements);
    for (std::size_t index = 0; index < elements; ++index) {
        if (m_progress) m_progress->Step();
        ++m_summary.read;
        m_current = std::to_string(index + 1);
        m_current.insert(m_current.begin(), '#');
        SourceDocument* const document = m_source.DocumentAt(index);
        if (!document) {
            ++m_summary.notCommercial;
            continue;
        }
        if (FileStatus status = ExportDocument(*document, separator); !status.ok) return status;
    }
    return FileStatus::Success();
}

FileStatus ExportRun::Write(std::string_view record) {
    FileStatus status = m_sink.Write(record);
    if (status.ok) ++m_summary.records;
    return status;
}

FileStatus ExportRun::ExportDocument(SourceDocument& document, std::string& separator) {
    m_fields.series = document.Series();
    m_fields.number = document.Number();
    m_fields.reference = DocumentReference(document.Name(), m_fields.series, m_fields.number);
    m_current = m_fields.reference;
    if (!document.OpenTrader()) {
        ++m_summary.noTrader;
        return FileStatus::Success();
    }
    const std::size_t lines = document.OpenLines();
    const double date = document.Date();
    if (!GroupLines(document, lines)) {
        ++m_summary.noLines;
        return FileStatus::Success();
    }
    m_fields.kind = document.Kind();
    m_fields.taxId = document.TaxId();
    m_fields.traderNumber = document.TraderNumber();
    auto known = m_dates.find(date);
    if (known == m_dates.end()) known = m_dates.emplace(date, m_formatDate(date)).first;
    m_fields.date = known->second;
    if (separator.empty()) separator = ";";
    if (FileStatus status = WriteRecords(separator); !status.ok) return status;
    ++m_summary.exported;
    return FileStatus::Success();
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

FileStatus ExportRun::WriteRecords(std::string_view separator) {
    const bool sale = m_fields.kind == 1;
    m_records.Begin(m_fields, separator);
    double grossTotal = 0.0;
    double vatTotal = 0.0;
    for (const auto& [percent, group] : m_groups) {
        const std::string itemName = group->Name();
        const double net = group->NetValue();
        const double vat = net * percent / 100;
        grossTotal += net + vat;
        vatTotal += vat;
        m_record.clear();
        m_records.AppendGroupHead(m_record, net, vat);
        const std::size_t headLength = m_record.size();
        m_records.AppendVatTail(m_record, vat, VatAccountFor(m_accounts.vat[percent], sale));
        if (FileStatus status = Write(m_record); !status.ok) return status;
        m_record.resize(headLength);
        m_records.AppendItemTail(m_record, net, ItemAccountFor(m_items[itemName], sale));
        if (FileStatus status = Write(m_record); !status.ok) return status;
    }
    m_record.clear();
    m_records.AppendTraderRecord(m_record, grossTotal, vatTotal, (sale ? m_clients : m_suppliers)[m_fields.taxId]);
    return Write(m_record);
}

}  // namespace dralmoft
