#include "proposal/proposals_csv.h"

#include <array>
#include <optional>

#include "base/code_page.h"
#include "check/csv_field.h"
#include "mapping/mapping_format.h"

namespace dralmoft {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::array<std::u16string_view, 8> kHeader = {u"Κωδικός", u"Κλειδί",  u"Όνομα", u"Έγγραφα",
                                                        u"Ποσό",    u"Πρόταση", u"Αιτία", u"Βεβαιότητα"};
constexpr std::size_t kCode = 0;
constexpr std::size_t kKey = 1;
constexpr std::size_t kAccount = 5;

constexpr std::array<CheckCode, 4> kAccountCodes = {CheckCode::ClientAccount, CheckCode::SupplierAccount,
                                                    CheckCode::ItemAccount, CheckCode::VatAccount};

std::optional<CheckCode> AccountCode(std::string_view name) {
    for (const CheckCode code : kAccountCodes)
        if (CheckCodeName(code) == name) return code;
    return std::nullopt;
}

// A record of the file: its fields as written (quotes taken off), and the line it starts on.
struct Record {
    std::vector<std::string> fields;
    std::size_t line = 0;
};

// Reads records off `text` from `at`; false at the end, or when a quote is never closed
// (`open` is then set).
bool NextRecord(std::string_view text, std::size_t& at, std::size_t& line, Record& record, bool& open) {
    record = Record{{std::string()}, line};
    if (at >= text.size()) return false;
    bool quoted = false;
    while (at < text.size()) {
        const char c = text[at++];
        if (quoted) {
            if (c == '"' && at < text.size() && text[at] == '"') {
                record.fields.back().push_back('"');
                ++at;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n') ++line;
                record.fields.back().push_back(c);
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ';') {
            record.fields.emplace_back();
        } else if (c == '\n') {
            ++line;
            break;
        } else if (c != '\r' || (at < text.size() && text[at] != '\n')) {
            record.fields.back().push_back(c);
        }
    }
    open = quoted;
    return true;
}

// A text field as written: the apostrophe that kept a spreadsheet from reading it as a
// formula is taken off.
std::string TextOf(std::string field) {
    if (!field.empty() && field.front() == '\'') field.erase(0, 1);
    return field;
}

ProposalsFile NotProposals(std::size_t line, std::u16string why) {
    ProposalsFile file;
    file.badLine = line;
    file.why = std::move(why);
    return file;
}

}  // namespace

std::string ProposalsCsv(const std::vector<KeyProposal>& rows) {
    std::string out(kByteOrderMark);
    for (std::size_t field = 0; field < kHeader.size(); ++field) {
        if (field != 0) out.push_back(';');
        AppendCsvField(out, kHeader[field], CsvColumn::Text);
    }
    out.append("\r\n");
    for (const KeyProposal& row : rows) {
        AppendCsvField(out, CheckCodeName(row.code), CsvColumn::Text);
        out.push_back(';');
        AppendCsvField(out, row.key, CsvColumn::Text);
        out.push_back(';');
        // The item's key is its name; the server's documents name no trader or rate.
        AppendCsvField(out, row.code == CheckCode::ItemAccount ? std::u16string_view(row.key) : u"", CsvColumn::Text);
        out.push_back(';');
        AppendCsvField(out, std::to_string(row.documents), CsvColumn::Number);
        out.push_back(';');
        AppendCsvField(out, CentsText(row.amount, ','), CsvColumn::Number);
        out.push_back(';');
        AppendCsvField(out, Cp1253ToUtf16(row.proposal.account), CsvColumn::Text);
        out.push_back(';');
        AppendCsvField(out, row.proposal.reason, CsvColumn::Text);
        out.push_back(';');
        AppendCsvField(out, std::to_string(row.proposal.confidence), CsvColumn::Number);
        out.append("\r\n");
    }
    return out;
}

ProposalsFile ReadProposalsCsv(std::string bytes) {
    const std::string text = DecodeAccountText(std::move(bytes)).text;
    std::size_t at = 0;
    std::size_t line = 1;
    Record record;
    bool open = false;
    std::string header;
    for (std::size_t field = 0; field < kHeader.size(); ++field)
        header += (field == 0 ? "" : ";") + Utf16ToCp1253(kHeader[field]);
    if (!NextRecord(text, at, line, record, open) || record.fields.size() < kHeader.size())
        return NotProposals(1,
                            u"η πρώτη γραμμή δεν είναι η επικεφαλίδα των προτάσεων (" + Cp1253ToUtf16(header) + u")");
    for (std::size_t field = 0; field < kHeader.size(); ++field)
        if (TextOf(record.fields[field]) != Utf16ToCp1253(kHeader[field]))
            return NotProposals(
                1, u"η πρώτη γραμμή δεν είναι η επικεφαλίδα των προτάσεων (" + Cp1253ToUtf16(header) + u")");
    ProposalsFile file;
    while (NextRecord(text, at, line, record, open)) {
        if (open) return NotProposals(record.line, u"ένα πεδίο ανοίγει εισαγωγικά που δεν κλείνουν");
        bool empty = true;
        for (const std::string& field : record.fields) empty = empty && TrimSpace(field).empty();
        if (empty) continue;  // a blank line, or one a spreadsheet left of separators
        if (record.fields.size() <= kAccount) return NotProposals(record.line, u"η γραμμή έχει λιγότερες από 6 στήλες");
        const std::string name = TextOf(record.fields[kCode]);
        const std::optional<CheckCode> code = AccountCode(name);
        if (!code)
            return NotProposals(record.line,
                                u"ο κωδικός «" + Cp1253ToUtf16(name) + u"» δεν είναι κωδικός λογαριασμού που λείπει");
        std::string account = TextOf(record.fields[kAccount]);
        if (TrimSpace(account).empty()) continue;
        file.rows.push_back({record.line, *code, TextOf(record.fields[kKey]), std::move(account)});
    }
    return file;
}

}  // namespace dralmoft
