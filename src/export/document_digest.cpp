#include "export/document_digest.h"

#include "data/iso_date.h"

namespace dralmoft {
namespace {

// Between the fields of the digested records: a control character no field of a
// document holds, so that moving text from one field to the next changes the digest.
constexpr std::string_view kFieldMark = "\x1f";

}  // namespace

LoggedDocument LogEntryOf(const ComposedDocument& document) {
    const DocumentFields& given = document.Fields();
    LoggedDocument entry;
    entry.date = FormatIsoDate(given.oleDate);
    // The year of the date: a series restarts its numbers each year.
    const int year = entry.date.size() == 10 ? std::stoi(entry.date.substr(0, 4)) : 0;
    entry.identity = {given.kind == 1, given.name, given.series, given.number, year, given.taxId};

    DocumentFields fields = given;
    fields.date = entry.date;
    DocumentRecords records;
    records.Begin(fields, kFieldMark);
    std::string text;
    for (const ComposedGroup& group : document.Groups()) {
        std::string head;
        records.AppendGroupHead(head, group.net, group.vat);
        text.append(head);
        records.AppendVatTail(text, group.vat, group.vatAccount);
        text.append(head);
        records.AppendItemTail(text, group.net, group.itemAccount);
    }
    const ComposedTrader& trader = document.Trader();
    records.AppendTraderRecord(text, trader.gross, trader.vat, trader.account);
    LogDigest digest;
    digest.Add(text);
    entry.digest = digest.Value();
    return entry;
}

}  // namespace dralmoft
