#pragma once
// The text of the ledger package's journal records, composed as the record layout says.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "export/record_layout.h"

namespace dralmoft {

// "name-seriesnumber", as "%s-%s%d" gives it.
[[nodiscard]] std::string DocumentReference(std::string_view name, std::string_view series, std::int32_t number);

// Between the fields of the records' digest form (what the export log keeps of a
// document): a control character no field of a document holds, so that moving text from
// one field to the next changes the digest.
inline constexpr std::string_view kDigestFieldMark = "\x1f";

// The records of one document, composed into a buffer that a run reuses. The fields
// every record of the document shares (1 to 8, and 14 to 20 with the line end) are
// composed once per document: a year's export writes hundreds of thousands of records.
//
// Given a digest date, each Append also appends the records' digest form to `digest`:
// the same fields, each followed by kDigestFieldMark, the date as `digestDate` gives it.
// Each field is composed once and its bytes go to both.
class DocumentRecords {
public:
    void Begin(const DocumentFields& document, std::string_view separator,
               std::optional<std::string_view> digestDate = std::nullopt);

    // Fields 1 to 10 of a VAT group's two records, then the tail of the VAT record or of
    // the item record after them (fields 11 to 20).
    void AppendGroupHead(std::string& out, double groupNet, double groupVat, std::string* digest = nullptr) const;
    void AppendVatTail(std::string& out, double groupVat, std::string_view vatAccount,
                       std::string* digest = nullptr) const;
    void AppendItemTail(std::string& out, double groupNet, std::string_view itemAccount,
                        std::string* digest = nullptr) const;
    void AppendTraderRecord(std::string& out, double grossTotal, double vatTotal, std::string_view traderAccount,
                            std::string* digest = nullptr) const;

private:
    std::string m_start;        // fields 1 to 8
    std::string m_close;        // fields 14 to 20 and the record's end
    std::string m_digestStart;  // the same, in the digest form
    std::string m_digestClose;
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
