#include "export/document_writer.h"

#include "base/fnv_digest.h"
#include "base/iso_date.h"
#include "export/export_run.h"

namespace dralmoft {

FileStatus DocumentWriter::Take(const ReadElement& element, std::string& separator) {
    m_summary.read = element.index;
    if (element.skipped) {
        Skip(element);
        return FileStatus::Success();
    }
    if (separator.empty()) separator = ";";
    ComposeRecords(element, separator);
    std::optional<std::uint64_t> digestValue;
    if (m_digests) {
        FnvDigest fnv;
        fnv.Add(m_digestText);
        digestValue = fnv.Value();
    }
    const ComposedDocument composed(element.fields, m_text, m_ends, m_composed, m_trader, element.index, digestValue);
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

void DocumentWriter::Skip(const ReadElement& element) {
    switch (*element.skipped) {
        case SkipReason::NotCommercial: ++m_summary.notCommercial; break;
        case SkipReason::NoTrader: ++m_summary.noTrader; break;
        case SkipReason::NoLines: ++m_summary.noLines; break;
    }
    if (m_watcher) m_watcher->Skipped(*element.skipped, element.index, element.reference, element.oleDate);
}

void DocumentWriter::ComposeRecords(const ReadElement& element, std::string_view separator) {
    const DocumentFields& fields = element.fields;
    const bool sale = IsSale(fields.kind);
    // Documents come day by day: the day's form is made again only when the day changes.
    if (m_digests && m_isoDateOf != fields.oleDate) {
        m_isoDate = FormatIsoDate(fields.oleDate);
        m_isoDateOf = fields.oleDate;
    }
    m_records.Begin(fields, separator, m_digests ? std::optional<std::string_view>(m_isoDate) : std::nullopt);
    std::string* const digestHead = m_digests ? &m_digestHead : nullptr;
    std::string* const digestText = m_digests ? &m_digestText : nullptr;
    m_digestText.clear();
    m_text.clear();
    m_ends.clear();
    m_composed.clear();
    double grossTotal = 0.0;
    double vatTotal = 0.0;
    for (const ReadGroup& group : element.groups) {
        const double net = group.net;
        const double vat = net * group.percent / 100;
        grossTotal += net + vat;
        vatTotal += vat;
        const ComposedGroup& composed = m_composed.emplace_back(
            ComposedGroup{group.percent, group.itemName, net, vat, VatAccountFor(m_accounts.vat[group.percent], sale),
                          ItemAccountFor(m_accounts.items[group.itemName], sale)});
        // The VAT record and the item record share their first ten fields.
        m_head.clear();
        m_digestHead.clear();
        m_records.AppendGroupHead(m_head, net, vat, digestHead);
        m_text.append(m_head);
        if (m_digests) m_digestText.append(m_digestHead);
        m_records.AppendVatTail(m_text, vat, composed.vatAccount, digestText);
        m_ends.push_back(m_text.size());
        m_text.append(m_head);
        if (m_digests) m_digestText.append(m_digestHead);
        m_records.AppendItemTail(m_text, net, composed.itemAccount, digestText);
        m_ends.push_back(m_text.size());
    }
    m_trader = {grossTotal, vatTotal, (sale ? m_accounts.clients : m_accounts.suppliers)[fields.taxId]};
    m_records.AppendTraderRecord(m_text, grossTotal, vatTotal, m_trader.account, digestText);
    m_ends.push_back(m_text.size());
}

}  // namespace dralmoft
