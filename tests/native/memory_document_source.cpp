#include "memory_document_source.h"

namespace dralmoft::test {

std::vector<MemoryDocument> TwoSales() {
    MemoryDocument first;
    first.lines = {{true, 100.0, 0.0, 24.0, "I1"}, {true, 10.0, 0.0, 6.0, "I1"}};
    MemoryDocument second = first;
    second.name = "ΤΙΜ";  // the bytes of the source file: the run passes them through as they are
    second.series = "Β";
    second.number = 7;
    second.date = 38353.0;
    return {first, second};
}

namespace {

class MemoryGroup final : public GroupAccumulator {
public:
    explicit MemoryGroup(MemoryDocumentSource& source) : m_source(source) {}
    void SetName(const std::string& name) { m_name = name; }
    void ReadName(std::string& name) override { name = m_name; }
    double NetValue() override { return m_net; }
    void SetNetValue(double value) override {
        m_source.Call("SetNetValue");
        m_net = value;
    }
    void SetVatPercent(double) override {}

private:
    MemoryDocumentSource& m_source;
    std::string m_name;
    double m_net = 0.0;
};

}  // namespace

class MemoryDocumentSource::Document final : public SourceDocument {
public:
    Document(MemoryDocumentSource& source, const MemoryDocument& document) : m_source(source), m_document(document) {}

    SourceText Series() override { return Log("Series", Text(m_document.series, m_document.serverSeries)); }
    std::int32_t Number() override { return Log("Number", m_document.number); }
    SourceText Name() override { return Log("Name", Text(m_document.name, m_document.serverName)); }
    bool OpenTrader() override { return Log("Trader", m_document.hasTrader); }
    std::size_t OpenLines() override { return Log("Lines", m_document.lines.size()); }
    double Date() override { return Log("Date", m_document.date); }
    std::optional<LineAmounts> LineAt(std::size_t index) override {
        m_source.Call("Line " + std::to_string(index));
        m_line = &m_document.lines[index];
        if (!m_line->isLine) return std::nullopt;
        return LineAmounts{m_line->value - m_line->discount, m_line->vatPercent};
    }
    GroupAccumulator& OpenGroup() override {
        m_source.Call("NewGroup");
        MemoryGroup& group = *m_groups.emplace_back(std::make_unique<MemoryGroup>(m_source));
        group.SetName(Log("ItemName", m_line->item));
        return group;
    }
    std::int32_t Kind() override { return Log("Kind", m_document.kind); }
    SourceText TaxId() override { return Log("TaxId", Text(m_document.taxId, m_document.serverTaxId)); }
    std::int32_t TraderNumber() override { return Log("TraderNumber", m_document.traderNumber); }

private:
    static SourceText Text(const std::string& text, const std::u16string& server) {
        return server.empty() ? SourceText{text, {}} : ToSourceText(server);
    }
    template <class T>
    T Log(const std::string& call, T value) {
        m_source.Call(call);
        return value;
    }

    MemoryDocumentSource& m_source;
    const MemoryDocument& m_document;
    const MemoryLine* m_line = nullptr;
    std::vector<std::unique_ptr<MemoryGroup>> m_groups;
};

MemoryDocumentSource::MemoryDocumentSource() = default;
MemoryDocumentSource::~MemoryDocumentSource() = default;

SourceDocument* MemoryDocumentSource::DocumentAt(std::size_t index) {
    Call("Document " + std::to_string(index));
    // As the server's source does, the previous document (and its groups) goes first.
    m_current.reset();
    if (!documents[index].commercial) return nullptr;
    m_current = std::make_unique<Document>(*this, documents[index]);
    return m_current.get();
}

}  // namespace dralmoft::test
