#pragma once
// The text of the ledger package's journal records, composed as the record layout says.

#include <cstdint>
#include <string>
#include <string_view>

#include "export/record_layout.h"

namespace dralmoft {

// "name-seriesnumber", as "%s-%s%d" gives it.
[[nodiscard]] std::string DocumentReference(std::string_view name, std::string_view series, std::int32_t number);

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
    std::string m_start;  // fields 1 to 8
    std::string m_close;  // fields 14 to 20 and the record's end
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
