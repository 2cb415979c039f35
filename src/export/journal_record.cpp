#include "export/journal_record.h"

#include <charconv>

namespace dralmoft {
namespace {

// Appends fields to a record without a string of its own for each: a year's export
// composes hundreds of thousands of records.
class Fields {
public:
    Fields(std::string& out, std::string_view separator) : m_out(out), m_separator(separator) {}
    Fields& Add(std::string_view field) {
        m_out.append(field).append(m_separator);
        return *this;
    }
    Fields& Amount(double value) {
        char buffer[400];
        const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
        return Add(error == std::errc() ? std::string_view(buffer, static_cast<std::size_t>(end - buffer)) : "0");
    }
    Fields& Number(std::int32_t value) {
        char buffer[16];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
        return Add(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
    }
    // Fields 14 and 15, the five empty ones, and the line end.
    void Close(std::string_view reference) {
        Add(reference).Add(reference);
        for (int i = 0; i < 5; ++i) Add("");
        m_out.append("\r\n");
    }

private:
    std::string& m_out;
    std::string_view m_separator;
};

bool IsSale(const DocumentFields& document) { return document.kind == 1; }

// Fields 1 to 8.
Fields DocumentStart(std::string& out, const DocumentFields& document, std::string_view separator) {
    Fields fields(out, separator);
    out.append(document.series);
    fields.Number(document.number)
        .Add(IsSale(document) ? "13" : "12")
        .Add(IsSale(document) ? "1" : "2")
        .Number(document.traderNumber)
        .Add(document.taxId)
        .Add(document.date)
        .Add(document.reference)
        .Add(document.reference);
    return fields;
}

}  // namespace

std::string DocumentReference(std::string_view name, std::string_view series, std::int32_t number) {
    std::string reference(name);
    reference.append("-").append(series).append(std::to_string(number));
    return reference;
}

void AppendGroupHead(std::string& out, const DocumentFields& document, double groupNet, double groupVat,
                     std::string_view separator) {
    DocumentStart(out, document, separator).Amount(groupNet).Amount(groupVat);
}

void AppendVatTail(std::string& out, const DocumentFields& document, double groupVat, std::string_view vatAccount,
                   std::string_view separator) {
    Fields(out, separator).Add(vatAccount).Number(document.kind).Amount(groupVat).Close(document.reference);
}

void AppendItemTail(std::string& out, const DocumentFields& document, double groupNet, std::string_view itemAccount,
                    std::string_view separator) {
    Fields(out, separator).Add(itemAccount).Number(document.kind).Amount(groupNet).Close(document.reference);
}

void AppendTraderRecord(std::string& out, const DocumentFields& document, double grossTotal, double vatTotal,
                        std::string_view traderAccount, std::string_view separator) {
    DocumentStart(out, document, separator)
        .Amount(grossTotal - vatTotal)
        .Amount(vatTotal)
        .Add(traderAccount)
        .Number(document.kind == 0 ? 1 : 0)
        .Amount(grossTotal)
        .Close(document.reference);
}

std::string GroupHead(const DocumentFields& document, double groupNet, double groupVat, std::string_view separator) {
    std::string out;
    AppendGroupHead(out, document, groupNet, groupVat, separator);
    return out;
}

std::string VatRecord(std::string_view head, const DocumentFields& document, double groupVat,
                      std::string_view vatAccount, std::string_view separator) {
    std::string out(head);
    AppendVatTail(out, document, groupVat, vatAccount, separator);
    return out;
}

std::string ItemRecord(std::string_view head, const DocumentFields& document, double groupNet,
                       std::string_view itemAccount, std::string_view separator) {
    std::string out(head);
    AppendItemTail(out, document, groupNet, itemAccount, separator);
    return out;
}

std::string TraderRecord(const DocumentFields& document, double grossTotal, double vatTotal,
                         std::string_view traderAccount, std::string_view separator) {
    std::string out;
    AppendTraderRecord(out, document, grossTotal, vatTotal, traderAccount, separator);
    return out;
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
