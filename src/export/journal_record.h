#pragma once
// The text of the ledger package's journal records: 20 fields, each followed by the
// separator (the last one too), then CR LF. Nothing is quoted or escaped.

#include <cstdint>
#include <string>
#include <string_view>

namespace dralmoft {

// What every record of one document shares, and what tells the document apart.
struct DocumentFields {
    std::string series;
    std::int32_t number = 0;
    std::int32_t kind = 0;  // 1 a sale, anything else a purchase
    std::int32_t traderNumber = 0;
    std::string taxId;
    std::string date;       // already in the user's short date form
    std::string reference;  // "name-seriesnumber"
    // Not written as fields of their own: for those who look at a composed document.
    std::string name;
    double oleDate = 0.0;
    // The server's own series, name and tax id where they differ from the 1253 texts
    // above (see SourceText); empty where they do not.
    std::u16string serverSeries;
    std::u16string serverName;
    std::u16string serverTaxId;
};

// "name-seriesnumber", as "%s-%s%d" gives it.
[[nodiscard]] std::string DocumentReference(std::string_view name, std::string_view series, std::int32_t number);

// Fields 1 to 10 of a VAT group's two records, separators included: composed once,
// continued by both.
[[nodiscard]] std::string GroupHead(const DocumentFields& document, double groupNet, double groupVat,
                                    std::string_view separator);

[[nodiscard]] std::string VatRecord(std::string_view head, const DocumentFields& document, double groupVat,
                                    std::string_view vatAccount, std::string_view separator);
[[nodiscard]] std::string ItemRecord(std::string_view head, const DocumentFields& document, double groupNet,
                                     std::string_view itemAccount, std::string_view separator);
[[nodiscard]] std::string TraderRecord(const DocumentFields& document, double grossTotal, double vatTotal,
                                       std::string_view traderAccount, std::string_view separator);

// The records of one document, composed into a buffer that a run reuses. The fields
// every record of the document shares (1 to 8, and 14 to 20 with the line end) are
// composed once per document: a year's export writes hundreds of thousands of records.
class DocumentRecords {
public:
    void Begin(const DocumentFields& document, std::string_view separator);

    // Fields 1 to 10 of a VAT group's two records, then the tail of the VAT record or of
    // the item record after them (fields 11 to 20).
    void AppendGroupHead(std::string& out, double groupNet, double groupVat) const;
    void AppendVatTail(std::string& out, double groupVat, std::string_view vatAccount) const;
    void AppendItemTail(std::string& out, double groupNet, std::string_view itemAccount) const;
    void AppendTraderRecord(std::string& out, double grossTotal, double vatTotal, std::string_view traderAccount) const;

private:
    void AppendTail(std::string& out, std::string_view account, std::int32_t field12, double amount) const;

    std::string m_start;  // fields 1 to 8
    std::string m_close;  // fields 14 to 20 and CR LF
    std::string_view m_separator;
    std::int32_t m_kind = 0;
};

// The two cuts of an account text at its first ';'.
[[nodiscard]] std::string_view PartAfter(std::string_view account);   // whole text when there is no ';'
[[nodiscard]] std::string_view PartBefore(std::string_view account);  // empty when there is no ';'

// The VAT and item accounts a group's records carry: sales take the part after, purchases
// the part before; a VAT text is first cut to its part after ("X;P;S" gives S or P).
[[nodiscard]] std::string_view VatAccountFor(std::string_view text, bool sale);
[[nodiscard]] std::string_view ItemAccountFor(std::string_view text, bool sale);

}  // namespace dralmoft
