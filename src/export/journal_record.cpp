#include "export/journal_record.h"

#include <charconv>

#include "base/number_format.h"

namespace dralmoft {
namespace {

// Appends each field with its separator, without a string of its own.
class FieldAppender {
public:
    FieldAppender(std::string& out, std::string_view separator) : m_out(out), m_separator(separator) {}

    void ServerText(std::string_view, const std::u16string&) {}
    void Text(std::string_view text) { m_out.append(text).append(m_separator); }
    void Text(std::string_view text, std::int32_t number) {
        m_out.append(text);
        Number(number);
    }
    void Number(std::int32_t value) {
        char buffer[16];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
        Text(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
    }
    void Amount(double value) {
        AppendAmount(m_out, value);
        m_out.append(m_separator);
    }
    void Account(std::string_view account) { Text(account); }
    void PostedAmount(double value) { Amount(value); }
    void Empty() { m_out.append(m_separator); }

private:
    std::string& m_out;
    std::string_view m_separator;
};

}  // namespace

std::string DocumentReference(std::string_view name, std::string_view series, std::int32_t number) {
    std::string reference(name);
    reference.append("-").append(series).append(std::to_string(number));
    return reference;
}

void DocumentRecords::Begin(const DocumentFields& document, std::string_view separator) {
    m_separator = separator;
    m_kind = document.kind;
    m_start.clear();
    FieldAppender start(m_start, separator);
    RecordLayout::Start(document, start);
    m_close.clear();
    FieldAppender close(m_close, separator);
    RecordLayout::Close(document, close);
    m_close.append(RecordLayout::kEnd);
}

void DocumentRecords::AppendGroupHead(std::string& out, double groupNet, double groupVat) const {
    out.append(m_start);
    FieldAppender fields(out, m_separator);
    RecordLayout::Amounts(groupNet, groupVat, fields);
}

void DocumentRecords::AppendVatTail(std::string& out, double groupVat, std::string_view vatAccount) const {
    FieldAppender fields(out, m_separator);
    RecordLayout::VatTail(m_kind, vatAccount, groupVat, fields);
    out.append(m_close);
}

void DocumentRecords::AppendItemTail(std::string& out, double groupNet, std::string_view itemAccount) const {
    FieldAppender fields(out, m_separator);
    RecordLayout::ItemTail(m_kind, itemAccount, groupNet, fields);
    out.append(m_close);
}

void DocumentRecords::AppendTraderRecord(std::string& out, double grossTotal, double vatTotal,
                                         std::string_view traderAccount) const {
    out.append(m_start);
    FieldAppender fields(out, m_separator);
    RecordLayout::TraderAmounts(grossTotal, vatTotal, fields);
    RecordLayout::TraderTail(m_kind, traderAccount, grossTotal, fields);
    out.append(m_close);
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
