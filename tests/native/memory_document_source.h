#pragma once
// Documents in memory, for driving the export run: each call is logged, so the order in
// which a document is read can be checked, and any call can be made to fail.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/server_error.h"
#include "export/document_source.h"

namespace dralmoft::test {

struct MemoryLine {
    bool isLine = true;
    double value = 0.0;
    double discount = 0.0;
    double vatPercent = 0.0;
    std::string item;
};

struct MemoryDocument {
    bool commercial = true;
    std::string name = "X";
    std::string series = "A";
    std::int32_t number = 12;
    std::int32_t kind = 1;
    double date = 38352.0;
    bool hasTrader = true;
    std::string taxId = "T1";
    std::int32_t traderNumber = 345;
    std::vector<MemoryLine> lines;
    // A text as the server would give it in UTF-16; when set, the document gives it
    // through the 1253 conversion in place of the text above.
    std::u16string serverName;
    std::u16string serverSeries;
    std::u16string serverTaxId;
};

// Two sales to client T1, each with a 24 % and a 6 % line of item I1: "X-A12" of
// 31/12/2004 (100.00 and 10.00) and "ΤΙΜ-Β7" of 1/1/2005 (its texts in UTF-8, as this file has them).
[[nodiscard]] std::vector<MemoryDocument> TwoSales();

class MemoryDocumentSource final : public DocumentSource {
public:
    std::vector<MemoryDocument> documents;
    std::vector<std::string> log;
    bool logging = true;  // false keeps no log (for benchmarks)
    // A call named as in the log ("Lines", "ItemName", ...) that raises, at its n-th use.
    std::string failCall;
    int failAt = 1;
    std::u16string company = u"Εταιρεία Α.Ε.";

    std::u16string CompanyName() override { return company; }

    std::size_t Open(double from, double to) override {
        Call("Open " + std::to_string(from) + " " + std::to_string(to));
        return documents.size();
    }
    MemoryDocumentSource();
    ~MemoryDocumentSource() override;
    SourceDocument* DocumentAt(std::size_t index) override;

    void Call(const std::string& name) {
        if (logging || !failCall.empty()) log.push_back(name);
        if (!failCall.empty() && name.rfind(failCall, 0) == 0 && --failAt == 0)
            throw ServerError(static_cast<std::int32_t>(0x80004005), "failed: " + name);
    }

private:
    class Document;
    std::unique_ptr<Document> m_current;
};

}  // namespace dralmoft::test
