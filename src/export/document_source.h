#pragma once
// Where an export's documents come from: the server's documents of a period, one at a
// time, each read in the order the server is asked. Every call may raise ServerError.
// The COM source adapts the business-object server; tests use documents in memory.
// A source reuses its document and accumulator objects from one document to the next:
// a year's export reads hundreds of thousands of documents.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/code_page.h"

namespace dralmoft {

// A text of the server as the program's 1253 text. Where a character had no 1253 byte of
// its own (it took a best fit, or became '?'), `server` keeps the text as the server gave
// it, so that the period check can name what the file lost; otherwise it stays empty.
struct SourceText {
    std::string text;
    std::u16string server;
};

[[nodiscard]] inline SourceText ToSourceText(std::u16string_view server) {
    SourceText result{Utf16ToCp1253(server), {}};
    if (!HasExactCp1253Form(server)) result.server.assign(server);
    return result;
}

// The accumulator of one VAT group of a document.
class GroupAccumulator {
public:
    virtual ~GroupAccumulator() = default;
    // Its name, as 1253 text, into `name` (whose memory is kept from group to group).
    virtual void ReadName(std::string& name) = 0;
    [[nodiscard]] virtual double NetValue() = 0;
    virtual void SetNetValue(double value) = 0;
    virtual void SetVatPercent(double percent) = 0;
};

struct LineAmounts {
    double net = 0.0;  // value less discount
    double vatPercent = 0.0;
};

class SourceDocument {
public:
    virtual ~SourceDocument() = default;
    [[nodiscard]] virtual SourceText Series() = 0;
    [[nodiscard]] virtual std::int32_t Number() = 0;
    [[nodiscard]] virtual SourceText Name() = 0;
    // Asks for the trader; false when the document has none.
    [[nodiscard]] virtual bool OpenTrader() = 0;
    // Asks for the lines (a document without lines of its own, made from other documents,
    // gives all its sources' lines in order) and answers their number.
    [[nodiscard]] virtual std::size_t OpenLines() = 0;
    [[nodiscard]] virtual double Date() = 0;
    // Line `index` (from 0): its amounts, or nothing when the element is not a line.
    [[nodiscard]] virtual std::optional<LineAmounts> LineAt(std::size_t index) = 0;
    // A new accumulator, named after the item of the line LineAt last gave (the line opens
    // the group); owned by the document and valid until the next document.
    [[nodiscard]] virtual GroupAccumulator& OpenGroup() = 0;
    [[nodiscard]] virtual std::int32_t Kind() = 0;
    [[nodiscard]] virtual SourceText TaxId() = 0;
    [[nodiscard]] virtual std::int32_t TraderNumber() = 0;
};

class DocumentSource {
public:
    virtual ~DocumentSource() = default;
    // Queries the period's documents (days `from` to `to`, OLE dates at midnight) and
    // answers how many elements there are to walk.
    [[nodiscard]] virtual std::size_t Open(double from, double to) = 0;
    // Element `index` (from 0) as a commercial document, or null when it is not one. The
    // document belongs to the source and is valid until the next call.
    [[nodiscard]] virtual SourceDocument* DocumentAt(std::size_t index) = 0;
    // The company's name as the server gives it (UTF-16, as it is); may be empty.
    [[nodiscard]] virtual std::u16string CompanyName() = 0;
};

}  // namespace dralmoft
