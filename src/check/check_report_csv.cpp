#include "check/check_report_csv.h"

#include <array>
#include <string_view>

#include "base/code_page.h"
#include "check/csv_field.h"
#include "data/atomic_save.h"

namespace dralmoft {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The columns of the two tables of totals: their first is a text, the rest are numbers.
constexpr std::size_t kTextColumns = 1;

void AppendLine(std::string& out, const ReportLine& line) {
    for (std::size_t field = 0; field < line.size(); ++field) {
        if (field != 0) out.push_back(';');
        AppendCsvField(out, line[field], field < kTextColumns ? CsvColumn::Text : CsvColumn::Number);
    }
    out.append("\r\n");
}

std::string Amount(std::int64_t cents) { return CentsText(cents, ','); }

void AddKind(std::vector<ReportLine>& lines, const std::string& name, const KindTotal& kind) {
    if (kind.documents == 0) return;
    for (const RateTotal& rate : kind.rates)
        lines.push_back({name, RateText(rate.rate), std::to_string(rate.documents), Amount(rate.net), Amount(rate.vat),
                         Amount(rate.net + rate.vat), ""});
    lines.push_back({name, "", std::to_string(kind.documents), Amount(kind.net), Amount(kind.vat),
                     Amount(kind.net + kind.vat), Amount(kind.traders)});
}

// A header line: its captions are texts.
void AppendHeader(std::string& out, const ReportLine& header) {
    for (std::size_t field = 0; field < header.size(); ++field) {
        if (field != 0) out.push_back(';');
        AppendCsvField(out, header[field], CsvColumn::Text);
    }
    out.append("\r\n");
}

void AppendLines(std::string& out, const ReportLine& header, const std::vector<ReportLine>& lines) {
    AppendHeader(out, header);
    for (const ReportLine& line : lines) AppendLine(out, line);
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

namespace {

// The descriptions as fields, made once.
std::string_view DescriptionField(CheckCode code) {
    static const auto descriptions = [] {
        std::array<std::string, kCheckCodeCount> fields;
        for (std::size_t code = 0; code < kCheckCodeCount; ++code)
            AppendCsvField(fields[code], CheckDescription(static_cast<CheckCode>(code)), CsvColumn::Text);
        return fields;
    }();
    return descriptions[static_cast<std::size_t>(code)];
}

// Gives the text to `sink` in pieces of about a megabyte: a report may have half a
// million lines, too many to hold twice.
class PieceWriter {
public:
    explicit PieceWriter(const CsvSink& sink) : m_sink(sink) { m_text.reserve(kPiece + 4096); }
    [[nodiscard]] std::string& Text() { return m_text; }
    // Hands on what is held once it is a piece; false when the sink refused.
    [[nodiscard]] bool Flush(bool always = false) {
        if (!m_ok || (!always && m_text.size() < kPiece)) return m_ok;
        m_ok = m_sink(m_text);
        m_text.clear();
        return m_ok;
    }

private:
    static constexpr std::size_t kPiece = 1 << 20;
    const CsvSink& m_sink;
    std::string m_text;
    bool m_ok = true;
};

// Every column of the problems table is a text.
bool WriteProblems(const CheckReport& report, PieceWriter& writer) {
    std::string& out = writer.Text();
    AppendHeader(out, ProblemsHeader());
    for (const CheckProblem& problem : report.problems) {
        AppendCsvField(out, CheckCodeName(problem.code), CsvColumn::Text);
        out.push_back(';');
        AppendCsvField(out, report.Reference(problem), CsvColumn::Text);
        out.push_back(';');
        AppendCsvField(out, report.DocumentOf(problem).Date(), CsvColumn::Text);
        out.push_back(';');
        AppendCsvField(out, report.Key(problem), CsvColumn::Text);
        out.push_back(';');
        out.append(DescriptionField(problem.code)).append("\r\n");
        if (!writer.Flush()) return false;
    }
    return true;
}

}  // namespace

bool WriteProblemsCsv(const CheckReport& report, const CsvSink& sink) {
    PieceWriter writer(sink);
    return WriteProblems(report, writer) && writer.Flush(true);
}

bool WriteCheckReportCsv(const CheckReport& report, const CsvSink& sink) {
    PieceWriter writer(sink);
    writer.Text().append(kByteOrderMark);
    if (!WriteProblems(report, writer)) return false;
    writer.Text().append("\r\n");
    AppendLines(writer.Text(), TotalsHeader(), TotalsLines(report));
    writer.Text().append("\r\n");
    AppendLines(writer.Text(), AccountsHeader(), AccountLines(report));
    return writer.Flush(true);
}

std::string CheckReportCsv(const CheckReport& report) {
    std::string out;
    (void)WriteCheckReportCsv(report, [&out](std::string_view piece) {
        out.append(piece);
        return true;
    });
    return out;
}

FileStatus WriteCheckReport(AtomicFileWriter& file, const CheckReport& report) {
    FileStatus status = file.Begin();
    if (!status.ok) return status;
    const bool written = WriteCheckReportCsv(report, [&](std::string_view piece) {
        status = file.Append(piece);
        return status.ok;
    });
    return written ? file.Seal() : status;
}

FileStatus SaveCheckReport(FileSystem& files, const std::u16string& path, const CheckReport& report) {
    AtomicFileWriter file(files, path);
    FileStatus status = files.CheckReplaceable(path);
    if (status.ok) status = WriteCheckReport(file, report);
    return status.ok ? file.Commit() : status;
}

}  // namespace dralmoft
