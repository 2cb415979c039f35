#include "export/journal_record.h"

#include <charconv>

#include "base/number_format.h"

namespace dralmoft {
namespace {

// Appends each field with its separator, without a string of its own; and, when given a
// digest, the same field with the digest's mark.
class FieldAppender {
public:
    FieldAppender(std::string& out, std::string_view separator, std::string* digest = nullptr,
                  std::string_view digestDate = {})
        : m_out(out), m_separator(separator), m_digest(digest), m_digestDate(digestDate) {}

    void ServerText(std::string_view, const std::u16string&) {}
    void Text(std::string_view text) {
        m_out.append(text).append(m_separator);
        if (m_digest) m_digest->append(text).append(kDigestFieldMark);
    }
    void Date(std::string_view text) {
        m_out.append(text).append(m_separator);
        if (m_digest) m_digest->append(m_digestDate).append(kDigestFieldMark);
    }
    void Text(std::string_view text, std::int32_t number) {
        char buffer[16];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, number).ptr;
        const std::string_view digits(buffer, static_cast<std::size_t>(end - buffer));
        m_out.append(text).append(digits).append(m_separator);
        if (m_digest) m_digest->append(text).append(digits).append(kDigestFieldMark);
    }
    void Number(std::int32_t value) { Text({}, value); }
    void Amount(double value) {
        const std::size_t start = m_out.size();
        AppendAmount(m_out, value);
        if (m_digest) m_digest->append(m_out, start).append(kDigestFieldMark);
        m_out.append(m_separator);
    }
    void Account(std::string_view account) { Text(account); }
    void PostedAmount(double value) { Amount(value); }
    void Empty() { Text({}); }

private:
    std::string& m_out;
    std::string_view m_separator;
    std::string* m_digest;
    std::string_view m_digestDate;
};

}  // namespace

std::string DocumentReference(std::string_view name, std::string_view series, std::int32_t number) {
    std::string reference(name);
    reference.append("-").append(series).append(std::to_string(number));
    return reference;
}

void DocumentRecords::Begin(const DocumentFields& document, std::string_view separator,
                            std::optional<std::string_view> digestDate) {
    m_separator = separator;
    m_kind = document.kind;
    m_start.clear();
    m_close.clear();
    m_digestStart.clear();
    m_digestClose.clear();
    const bool digesting = digestDate.has_value();
    FieldAppender start(m_start, separator, digesting ? &m_digestStart : nullptr, digestDate.value_or(""));
    RecordLayout::Start(document, start);
    FieldAppender close(m_close, separator, digesting ? &m_digestClose : nullptr);
    RecordLayout::Close(document, close);
    m_close.append(RecordLayout::kEnd);
    if (digesting) m_digestClose.append(RecordLayout::kEnd);
}

void DocumentRecords::AppendGroupHead(std::string& out, double groupNet, double groupVat, std::string* digest) const {
    out.append(m_start);
    if (digest) digest->append(m_digestStart);
    FieldAppender fields(out, m_separator, digest);
    RecordLayout::Amounts(groupNet, groupVat, fields);
}

void DocumentRecords::AppendVatTail(std::string& out, double groupVat, std::string_view vatAccount,
                                    std::string* digest) const {
    FieldAppender fields(out, m_separator, digest);
    RecordLayout::VatTail(m_kind, vatAccount, groupVat, fields);
    out.append(m_close);
    if (digest) digest->append(m_digestClose);
}

void DocumentRecords::AppendItemTail(std::string& out, double groupNet, std::string_view itemAccount,
                                     std::string* digest) const {
    FieldAppender fields(out, m_separator, digest);
    RecordLayout::ItemTail(m_kind, itemAccount, groupNet, fields);
    out.append(m_close);
    if (digest) digest->append(m_digestClose);
}

void DocumentRecords::AppendTraderRecord(std::string& out, double grossTotal, double vatTotal,
                                         std::string_view traderAccount, std::string* digest) const {
    out.append(m_start);
    if (digest) digest->append(m_digestStart);
    FieldAppender fields(out, m_separator, digest);
    RecordLayout::TraderAmounts(grossTotal, vatTotal, fields);
    RecordLayout::TraderTail(m_kind, traderAccount, grossTotal, fields);
    out.append(m_close);
    if (digest) digest->append(m_digestClose);
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
