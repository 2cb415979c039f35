#pragma once
// The side of a run that talks to the server: element by element, in the order the
// server is asked, it reads a document's texts, trader and lines, sums the lines into
// VAT groups on the server's own accumulators, and gives the document as plain values.
// Everything that touches a server object happens here, on the thread the source
// belongs to.

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "export/document_source.h"
#include "export/read_element.h"

namespace dralmoft {

// The document date in the user's short date form; nothing when the system cannot write it.
using DateFormatter = std::function<std::optional<std::string>(double oleDate)>;

// Raised when the date formatter cannot write a document's date: the system failed, not
// the server.
class DateFormatError : public std::exception {
public:
    explicit DateFormatError(double oleDate) : m_date(oleDate) {}
    [[nodiscard]] double Date() const noexcept { return m_date; }
    [[nodiscard]] const char* what() const noexcept override { return "a date the system cannot write"; }

private:
    double m_date;
};

class DocumentReader {
public:
    DocumentReader(DocumentSource& source, const DateFormatter& formatDate)
        : m_source(source), m_formatDate(formatDate) {}

    // Reads element `index` (from 0) into `element`, whose buffers are reused. Raises
    // ServerError and DateFormatError.
    void Read(std::size_t index, ReadElement& element);

    // The element being read: its reference, or "#n" before its texts are known.
    [[nodiscard]] const std::string& Current() const { return m_current; }

private:
    // A VAT group of the document being read, on the server's accumulator.
    struct Group {
        double percent;
        GroupAccumulator* accumulator;
    };

    void ReadDocument(SourceDocument& document, ReadElement& element);
    // Sums the lines into m_groups; false when the document has none.
    [[nodiscard]] bool GroupLines(SourceDocument& document, std::size_t lines);
    [[nodiscard]] GroupAccumulator& GroupFor(SourceDocument& document, double percent);
    [[nodiscard]] const std::string& DateText(double date);

    DocumentSource& m_source;
    const DateFormatter& m_formatDate;
    // The date texts formatted so far: a period has few days and many documents.
    std::map<double, std::string> m_dates;
    std::vector<Group> m_groups;
    std::string m_current;
};

}  // namespace dralmoft
