#include "check/check_report_csv.h"

#include <array>
#include <initializer_list>
#include <string_view>

#include "base/code_page.h"
#include "data/atomic_save.h"

namespace dralmoft {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A text known to need no quotes (a code, a date, a description of ours): not searched.
struct Plain {
    std::string_view text;
};

// A field of a line: UTF-8 text, or a UTF-16 one to convert.
class Field {
public:
    Field(Plain plain) : m_utf8(plain.text), m_plain(true) {}
    // Implicit: a line lists its fields plainly.
    Field(const char* utf8) : m_utf8(utf8) {}
    Field(std::string_view utf8) : m_utf8(utf8) {}
    Field(const std::string& utf8) : m_utf8(utf8) {}
    Field(std::u16string_view text) : m_text(text), m_wide(true) {}
    Field(const std::u16string& text) : m_text(text), m_wide(true) {}

    // Written in place, then quoted when it must be: a report may have half a million lines.
    void AppendTo(std::string& out) const {
        const std::size_t start = out.size();
        if (m_wide) AppendUtf8(out, m_text);
        else out.append(m_utf8);
        if (m_plain) return;
        const std::string_view added = std::string_view(out).substr(start);
        if (added.find_first_of(";\"\r\n") == std::string_view::npos) return;
        std::string quoted = "\"";
        for (const char c : added) {
            if (c == '"') quoted.push_back('"');
            quoted.push_back(c);
        }
        quoted.push_back('"');
        out.resize(start);
        out.append(quoted);
    }

private:
    std::string_view m_utf8;
    std::u16string_view m_text;
    bool m_wide = false;
    bool m_plain = false;
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
        lines.push_back({name, RateText(rate.rate), std::to_string(rate.documents), Amount(rate.net), Amount(rate.vat),
                         Amount(rate.net + rate.vat), ""});
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

// The descriptions in UTF-8 (quoted if one ever needs it), made once.
std::string_view DescriptionUtf8(CheckCode code) {
    static const auto descriptions = [] {
        std::array<std::string, kCheckCodeCount> texts;
        for (std::size_t code = 0; code < kCheckCodeCount; ++code)
            Field(CheckDescription(static_cast<CheckCode>(code))).AppendTo(texts[code]);
        return texts;
    }();
    return descriptions[static_cast<std::size_t>(code)];
}

namespace {

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

bool WriteProblems(const CheckReport& report, PieceWriter& writer) {
    const ReportLine header = ProblemsHeader();
    AppendLine(writer.Text(), {header[0], header[1], header[2], header[3], header[4]});
    for (const CheckProblem& problem : report.problems) {
        AppendLine(writer.Text(), {Plain{CheckCodeName(problem.code)}, report.Reference(problem),
                                   Plain{report.DocumentOf(problem).Date()}, report.Key(problem),
                                   Plain{DescriptionUtf8(problem.code)}});
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

FileStatus SaveCheckReport(FileSystem& files, const std::u16string& path, const CheckReport& report) {
    AtomicFileWriter file(files, path);
    FileStatus status = files.CheckReplaceable(path);
    if (status.ok) status = file.Begin();
    if (!status.ok) return status;
    const bool written = WriteCheckReportCsv(report, [&](std::string_view piece) {
        status = file.Append(piece);
        return status.ok;
    });
    return written ? file.Finish() : status;
}

}  // namespace dralmoft
