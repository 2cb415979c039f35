#include "export/check_report_csv.h"

#include <initializer_list>
#include <string_view>

#include "data/code_page.h"

namespace dralmoft {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A field of a line: UTF-8 text, or a program text (1253) or a UTF-16 one to convert.
class Field {
public:
    // Implicit: a line lists its fields plainly.
    Field(const char* utf8) : m_utf8(utf8) {}
    Field(std::string_view utf8) : m_utf8(utf8) {}
    Field(const std::string& utf8) : m_utf8(utf8) {}
    Field(std::u16string_view text) : m_text(text), m_wide(true) {}
    Field(const std::u16string& text) : m_text(text), m_wide(true) {}

    void AppendTo(std::string& out) const {
        if (!m_wide) return AppendQuoted(out, m_utf8);
        std::string utf8;
        AppendUtf8(utf8, m_text);
        AppendQuoted(out, utf8);
    }

private:
    static void AppendQuoted(std::string& out, std::string_view text) {
        if (text.find_first_of(";\"\r\n") == std::string_view::npos) {
            out.append(text);
            return;
        }
        out.push_back('"');
        for (const char c : text) {
            if (c == '"') out.push_back('"');
            out.push_back(c);
        }
        out.push_back('"');
    }

    std::string_view m_utf8;
    std::u16string_view m_text;
    bool m_wide = false;
};

void AppendLine(std::string& out, std::initializer_list<Field> fields) {
    bool first = true;
    for (const Field& field : fields) {
        if (!first) out.push_back(';');
        first = false;
        field.AppendTo(out);
    }
    out.append("\r\n");
}

std::string Amount(std::int64_t cents) { return CentsText(cents, ','); }

void AddKind(std::vector<ReportLine>& lines, const std::string& name, const KindTotal& kind) {
    if (kind.documents == 0) return;
    for (const RateTotal& rate : kind.rates)
        lines.push_back({name, RateText(rate.rate), std::to_string(rate.documents), Amount(rate.net),
                         Amount(rate.vat), Amount(rate.net + rate.vat), ""});
    lines.push_back({name, "", std::to_string(kind.documents), Amount(kind.net), Amount(kind.vat),
                     Amount(kind.net + kind.vat), Amount(kind.traders)});
}

void AppendLines(std::string& out, const ReportLine& header, const std::vector<ReportLine>& lines) {
    const auto append = [&out](const ReportLine& line) {
        for (std::size_t field = 0; field < line.size(); ++field) {
            if (field != 0) out.push_back(';');
            Field(std::string_view(line[field])).AppendTo(out);
        }
        out.append("\r\n");
    };
    append(header);
    for (const ReportLine& line : lines) append(line);
}

}  // namespace

ReportLine ProblemsHeader() { return {"Κωδικός", "Έγγραφο", "Ημερομηνία", "Κλειδί", "Περιγραφή"}; }
ReportLine TotalsHeader() {
    return {"Είδος", "Συντελεστής", "Έγγραφα", "Καθαρή αξία", "ΦΠΑ", "Σύνολο", "Συναλλασσόμενοι"};
}
ReportLine AccountsHeader() { return {"Λογαριασμός", "Εγγραφές", "Ποσό"}; }

std::vector<ReportLine> TotalsLines(const CheckReport& report) {
    std::vector<ReportLine> lines;
    AddKind(lines, "Πωλήσεις", report.sales);
    AddKind(lines, "Αγορές", report.purchases);
    return lines;
}

std::vector<ReportLine> AccountLines(const CheckReport& report) {
    std::vector<ReportLine> lines;
    lines.reserve(report.accounts.size());
    for (const AccountTotal& account : report.accounts) {
        std::string text;
        AppendUtf8(text, Cp1253ToUtf16(account.account));
        lines.push_back({std::move(text), std::to_string(account.records), Amount(account.amount)});
    }
    return lines;
}

std::string ProblemsCsv(const CheckReport& report) {
    std::string out;
    const ReportLine header = ProblemsHeader();
    AppendLine(out, {header[0], header[1], header[2], header[3], header[4]});
    for (const CheckProblem& problem : report.problems)
        AppendLine(out, {CheckCodeName(problem.code), problem.document, problem.date, problem.key,
                         CheckDescription(problem.code)});
    return out;
}

std::string CheckReportCsv(const CheckReport& report) {
    std::string out(kByteOrderMark);
    out.append(ProblemsCsv(report));
    out.append("\r\n");
    AppendLines(out, TotalsHeader(), TotalsLines(report));
    out.append("\r\n");
    AppendLines(out, AccountsHeader(), AccountLines(report));
    return out;
}

}  // namespace dralmoft
