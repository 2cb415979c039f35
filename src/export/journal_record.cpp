#include "export/journal_record.h"

#include <charconv>

#include "base/number_format.h"

namespace dralmoft {
namespace {

// Fields are appended to the record with their separator, without a string of their own.
void AppendField(std::string& out, std::string_view field, std::string_view separator) {
    out.append(field).append(separator);
}

void AppendNumber(std::string& out, std::int32_t value, std::string_view separator) {
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    AppendField(out, std::string_view(buffer, static_cast<std::size_t>(end - buffer)), separator);
}

void AppendAmountField(std::string& out, double value, std::string_view separator) {
    AppendAmount(out, value);
    out.append(separator);
}

bool IsSale(std::int32_t kind) { return kind == 1; }

// One record (or head) of a document on its own, continuing `start`.
template <class Compose>
std::string OneRecord(const DocumentFields& document, std::string_view separator, std::string_view start,
                      Compose compose) {
    DocumentRecords records;
    records.Begin(document, separator);
    std::string out(start);
    compose(records, out);
    return out;
}

}  // namespace

std::string DocumentReference(std::string_view name, std::string_view series, std::int32_t number) {
    std::string reference(name);
    reference.append("-").append(series).append(std::to_string(number));
    return reference;
}

void DocumentRecords::Begin(const DocumentFields& document, std::string_view separator) {
    m_separator = separator;
    m_kind = document.kind;
    m_start.assign(document.series);
    AppendNumber(m_start, document.number, separator);
    // Fields 2 and 3 are the ledger package's own codes for the sales side ("13", "1") and
    // the purchases side ("12", "2"): its import reads them, so they are fixed texts here.
    AppendField(m_start, IsSale(m_kind) ? "13" : "12", separator);
    AppendField(m_start, IsSale(m_kind) ? "1" : "2", separator);
    AppendNumber(m_start, document.traderNumber, separator);
    AppendField(m_start, document.taxId, separator);
    AppendField(m_start, document.date, separator);
    AppendField(m_start, document.reference, separator);
    AppendField(m_start, document.reference, separator);
    m_close.clear();
    AppendField(m_close, document.reference, separator);
    AppendField(m_close, document.reference, separator);
    // Fields 16 to 20 carry nothing from the server, but the import counts twenty fields
    // per record: each stands empty, followed by its separator.
    for (int i = 0; i < 5; ++i) m_close.append(separator);
    m_close.append("\r\n");
}

void DocumentRecords::AppendGroupHead(std::string& out, double groupNet, double groupVat) const {
    out.append(m_start);
    AppendAmountField(out, groupNet, m_separator);
    AppendAmountField(out, groupVat, m_separator);
}

void DocumentRecords::AppendTail(std::string& out, std::string_view account, std::int32_t field12,
                                 double amount) const {
    AppendField(out, account, m_separator);
    AppendNumber(out, field12, m_separator);
    AppendAmountField(out, amount, m_separator);
    out.append(m_close);
}

void DocumentRecords::AppendVatTail(std::string& out, double groupVat, std::string_view vatAccount) const {
    AppendTail(out, vatAccount, m_kind, groupVat);
}

void DocumentRecords::AppendItemTail(std::string& out, double groupNet, std::string_view itemAccount) const {
    AppendTail(out, itemAccount, m_kind, groupNet);
}

void DocumentRecords::AppendTraderRecord(std::string& out, double grossTotal, double vatTotal,
                                         std::string_view traderAccount) const {
    out.append(m_start);
    AppendAmountField(out, grossTotal - vatTotal, m_separator);
    AppendAmountField(out, vatTotal, m_separator);
    // Field 12 of the trader record is 1 for kind 0 only, not the opposite of the sale test:
    // a purchase of another kind (2, ...) gets 0 as a sale does. Files have always been
    // written so and the ledger's imports of them rely on it.
    AppendTail(out, traderAccount, m_kind == 0 ? 1 : 0, grossTotal);
}

std::string GroupHead(const DocumentFields& document, double groupNet, double groupVat, std::string_view separator) {
    return OneRecord(document, separator, "", [&](const DocumentRecords& records, std::string& out) {
        records.AppendGroupHead(out, groupNet, groupVat);
    });
}

std::string VatRecord(std::string_view head, const DocumentFields& document, double groupVat,
                      std::string_view vatAccount, std::string_view separator) {
    return OneRecord(document, separator, head, [&](const DocumentRecords& records, std::string& out) {
        records.AppendVatTail(out, groupVat, vatAccount);
    });
}

std::string ItemRecord(std::string_view head, const DocumentFields& document, double groupNet,
                       std::string_view itemAccount, std::string_view separator) {
    return OneRecord(document, separator, head, [&](const DocumentRecords& records, std::string& out) {
        records.AppendItemTail(out, groupNet, itemAccount);
    });
}

std::string TraderRecord(const DocumentFields& document, double grossTotal, double vatTotal,
                         std::string_view traderAccount, std::string_view separator) {
    return OneRecord(document, separator, "", [&](const DocumentRecords& records, std::string& out) {
        records.AppendTraderRecord(out, grossTotal, vatTotal, traderAccount);
    });
}

std::string_view PartAfter(std::string_view account) {
    const std::size_t semicolon = account.find(';');
    return semicolon == std::string_view::npos ? account : account.substr(semicolon + 1);
}

std::string_view PartBefore(std::string_view account) {
    const std::size_t semicolon = account.find(';');
    return semicolon == std::string_view::npos ? std::string_view() : account.substr(0, semicolon);
}

std::string_view VatAccountFor(std::string_view text, bool sale) {
    const std::string_view cut = PartAfter(text);
    return sale ? PartAfter(cut) : PartBefore(cut);
}

std::string_view ItemAccountFor(std::string_view text, bool sale) { return sale ? PartAfter(text) : PartBefore(text); }

}  // namespace dralmoft
