#include "export/document_reader.h"

#include <algorithm>
#include <cmath>

#include "base/server_error.h"
#include "export/journal_record.h"
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

void DocumentReader::Read(std::size_t index, ReadElement& element) {
    element.index = index + 1;
    element.skipped.reset();
    element.oleDate = std::numeric_limits<double>::quiet_NaN();
    m_current = "#" + std::to_string(index + 1);
    SourceDocument* const document = m_source.DocumentAt(index);
    if (!document) {
        element.skipped = SkipReason::NotCommercial;
        element.reference = m_current;
        return;
    }
    ReadDocument(*document, element);
}

void DocumentReader::ReadDocument(SourceDocument& document, ReadElement& element) {
    DocumentFields& fields = element.fields;
    SourceText series = document.Series();
    fields.series = std::move(series.text);
    fields.serverSeries = std::move(series.server);
    fields.number = document.Number();
    SourceText name = document.Name();
    fields.name = std::move(name.text);
    fields.serverName = std::move(name.server);
    fields.reference = DocumentReference(fields.name, fields.series, fields.number);
    m_current = fields.reference;
    if (!document.OpenTrader()) {
        element.skipped = SkipReason::NoTrader;
        element.reference = m_current;
        return;
    }
    const std::size_t lines = document.OpenLines();
    const double date = document.Date();
    if (!GroupLines(document, lines)) {
        element.skipped = SkipReason::NoLines;
        element.reference = m_current;
        element.oleDate = date;
        return;
    }
    fields.kind = document.Kind();
    SourceText taxId = document.TaxId();
    fields.taxId = std::move(taxId.text);
    fields.serverTaxId = std::move(taxId.server);
    fields.traderNumber = document.TraderNumber();
    // A date that is no date (NaN, or past what an OLE date can be) is the server failing on
    // this document: it must not reach the table of dates, which a NaN would corrupt.
    // (A negative OLE date carries its time as a positive fraction: its day is the whole part.)
    if (!(std::trunc(date) >= kFirstOleDate && std::trunc(date) <= kLastOleDate))
        throw ServerError(kStatusInvalidArgument, kInvalidDateText);
    fields.date = DateText(date);
    fields.oleDate = date;
    // The groups as their accumulators hold them, in ascending order of percentage.
    element.groups.resize(m_groups.size());
    for (std::size_t index = 0; index < m_groups.size(); ++index) {
        ReadGroup& group = element.groups[index];
        group.percent = m_groups[index].percent;
        m_groups[index].accumulator->ReadName(group.itemName);
        group.net = m_groups[index].accumulator->NetValue();
    }
}

bool DocumentReader::GroupLines(SourceDocument& document, std::size_t lines) {
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
GroupAccumulator& DocumentReader::GroupFor(SourceDocument& document, double percent) {
    const auto place = std::lower_bound(m_groups.begin(), m_groups.end(), percent,
                                        [](const Group& group, double p) { return VatRateOrder()(group.percent, p); });
    if (place != m_groups.end() && !VatRateOrder()(percent, place->percent)) return *place->accumulator;
    GroupAccumulator& group = document.OpenGroup();
    m_groups.insert(place, Group{percent, &group});
    return group;
}

const std::string& DocumentReader::DateText(double date) {
    auto known = m_dates.find(date);
    if (known == m_dates.end()) {
        std::optional<std::string> text = m_formatDate(date);
        if (!text) throw DateFormatError(date);
        known = m_dates.emplace(date, std::move(*text)).first;
    }
    return known->second;
}

}  // namespace dralmoft
