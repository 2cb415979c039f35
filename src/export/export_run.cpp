#include "export/export_run.h"

#include <map>
#include <memory>

#include "export/journal_record.h"
#include "mapping/vat_rate_order.h"

namespace dralmoft {
namespace {

using Groups = std::map<double, std::unique_ptr<GroupAccumulator>, VatRateOrder>;

}  // namespace

ExportRun::ExportRun(DocumentSource& source, RecordSink& sink, ExportAccounts accounts, DateFormatter formatDate,
                     ExportProgress* progress)
    : m_source(source), m_sink(sink), m_accounts(accounts), m_formatDate(std::move(formatDate)), m_progress(progress) {}

FileStatus ExportRun::Run(double from, double to, std::string& separator) {
    m_summary = {};
    m_current.clear();
    const std::size_t elements = m_source.Open(from, to);
    if (m_progress) m_progress->Start(elements);
    for (std::size_t index = 0; index < elements; ++index) {
        if (m_progress) m_progress->Step();
        ++m_summary.read;
        m_current = std::to_string(index + 1);
        m_current.insert(m_current.begin(), '#');
        const std::unique_ptr<SourceDocument> document = m_source.DocumentAt(index);
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
    DocumentFields fields;
    fields.series = document.Series();
    fields.number = document.Number();
    const std::string name = document.Name();
    fields.reference = DocumentReference(name, fields.series, fields.number);
    m_current = fields.reference;
    if (!document.OpenTrader()) {
        ++m_summary.noTrader;
        return FileStatus::Success();
    }

    const std::size_t lines = document.OpenLines();
    Groups groups;
    const double date = document.Date();
    bool hasLines = false;
    for (std::size_t index = 0; index < lines; ++index) {
        const std::optional<LineAmounts> line = document.LineAt(index);
        if (!line) continue;
        hasLines = true;
        std::unique_ptr<GroupAccumulator>& group = groups[line->vatPercent];
        if (!group) {
            group = document.NewGroup();
            group->SetName(document.LineItemName());
        }
        group->SetNetValue(group->NetValue() + line->net);
        group->SetVatPercent(line->vatPercent);
    }
    if (!hasLines) {
        ++m_summary.noLines;
        return FileStatus::Success();
    }

    fields.kind = document.Kind();
    fields.taxId = document.TaxId();
    fields.traderNumber = document.TraderNumber();
    auto known = m_dates.find(date);
    if (known == m_dates.end()) known = m_dates.emplace(date, m_formatDate(date)).first;
    fields.date = known->second;
    const bool sale = fields.kind == 1;
    if (separator.empty()) separator = ";";

    double grossTotal = 0.0;
    double vatTotal = 0.0;
    for (const auto& [percent, group] : groups) {
        const std::string itemName = group->Name();
        const double net = group->NetValue();
        const double vat = net * percent / 100;
        grossTotal += net + vat;
        vatTotal += vat;
        m_record.clear();
        AppendGroupHead(m_record, fields, net, vat, separator);
        const std::size_t headLength = m_record.size();
        AppendVatTail(m_record, fields, vat, VatAccountFor(m_accounts.vat[percent], sale), separator);
        if (FileStatus status = Write(m_record); !status.ok) return status;
        m_record.resize(headLength);
        AppendItemTail(m_record, fields, net, ItemAccountFor(m_accounts.items[itemName], sale), separator);
        if (FileStatus status = Write(m_record); !status.ok) return status;
    }
    m_record.clear();
    AppendTraderRecord(m_record, fields, grossTotal, vatTotal, (sale ? m_accounts.clients : m_accounts.suppliers)[fields.taxId],
                       separator);
    if (FileStatus status = Write(m_record); !status.ok) return status;
    ++m_summary.exported;
    return FileStatus::Success();
}

}  // namespace dralmoft
