#include "export/journal_record.h"

#include "data/number_format.h"

namespace dralmoft {
namespace {

class Fields {
public:
    Fields(std::string text, std::string_view separator) : m_text(std::move(text)), m_separator(separator) {}
    Fields& Add(std::string_view field) {
        m_text.append(field).append(m_separator);
        return *this;
    }
    Fields& Amount(double value) { return Add(FormatFixed(value, 2)); }
    Fields& Number(std::int32_t value) { return Add(std::to_string(value)); }
    [[nodiscard]] std::string Text() const { return m_text; }
    // Fields 14 and 15, the five empty ones, and the line end.
    std::string Close(std::string_view reference) {
        Add(reference).Add(reference);
        for (int i = 0; i < 5; ++i) Add("");
        m_text.append("\r\n");
        return std::move(m_text);
    }

private:
    std::string m_text;
    std::string_view m_separator;
};

bool IsSale(const DocumentFields& document) { return document.kind == 1; }

// Fields 1 to 8.
Fields DocumentStart(const DocumentFields& document, std::string_view separator) {
    Fields fields({}, separator);
    fields.Add(std::string(document.series).append(std::to_string(document.number)))
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

std::string GroupHead(const DocumentFields& document, double groupNet, double groupVat, std::string_view separator) {
    return DocumentStart(document, separator).Amount(groupNet).Amount(groupVat).Text();
}

std::string VatRecord(std::string_view head, const DocumentFields& document, double groupVat,
                      std::string_view vatAccount, std::string_view separator) {
    return Fields(std::string(head), separator)
        .Add(vatAccount)
        .Number(document.kind)
        .Amount(groupVat)
        .Close(document.reference);
}

std::string ItemRecord(std::string_view head, const DocumentFields& document, double groupNet,
                       std::string_view itemAccount, std::string_view separator) {
    return Fields(std::string(head), separator)
        .Add(itemAccount)
        .Number(document.kind)
        .Amount(groupNet)
        .Close(document.reference);
}

std::string TraderRecord(const DocumentFields& document, double grossTotal, double vatTotal,
                         std::string_view traderAccount, std::string_view separator) {
    return DocumentStart(document, separator)
        .Amount(grossTotal - vatTotal)
        .Amount(vatTotal)
        .Add(traderAccount)
        .Number(document.kind == 0 ? 1 : 0)
        .Amount(grossTotal)
        .Close(document.reference);
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
