#include "log/document_digest.h"

#include "base/iso_date.h"

namespace dralmoft {

LoggedDocument LogEntryMaker::Make(const ComposedDocument& document) {
    const DocumentFields& given = document.Fields();
    LoggedDocument entry;
    entry.date = FormatIsoDate(given.oleDate);
    // The year of the date: a series restarts its numbers each year.
    entry.identity = {IsSale(given.kind), given.name, given.series, given.number, OleYear(given.oleDate), given.taxId};
    if (const std::optional<std::uint64_t> digest = document.Digest()) {
        entry.digest = *digest;
        return entry;
    }

    m_fields = given;
    m_fields.date = entry.date;
    m_records.Begin(m_fields, kDigestFieldMark);
    m_text.clear();
    for (const ComposedGroup& group : document.Groups()) {
        m_head.clear();
        m_records.AppendGroupHead(m_head, group.net, group.vat);
        m_text.append(m_head);
        m_records.AppendVatTail(m_text, group.vat, group.vatAccount);
        m_text.append(m_head);
        m_records.AppendItemTail(m_text, group.net, group.itemAccount);
    }
    const ComposedTrader& trader = document.Trader();
    m_records.AppendTraderRecord(m_text, trader.gross, trader.vat, trader.account);
    FnvDigest digest;
    digest.Add(m_text);
    entry.digest = digest.Value();
    return entry;
}

LoggedDocument LogEntryOf(const ComposedDocument& document) { return LogEntryMaker().Make(document); }

}  // namespace dralmoft
