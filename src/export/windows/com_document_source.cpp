#include "export/windows/com_document_source.h"

#include <vector>

#include "data/windows/collection_walk.h"
#include "data/windows/data_service.h"
#include "data/windows/server_objects.h"
#include "win/bstr.h"
#include "win/variant.h"
#include "win/wide_text.h"

namespace dralmoft {
namespace {

using Microsoft::WRL::ComPtr;

template <class Interface, class Method>
long ReadLong(const ComPtr<Interface>& object, Method method) {
    long value = 0;
    CallServer(object, method, &value);
    return value;
}

template <class Interface, class Method>
SourceText ReadSourceText(const ComPtr<Interface>& object, Method method) {
    Bstr text;
    CallServer(object, method, text.Put());
    return ToSourceText(text.View());
}

// A VAT group's accumulator: the server's DocumentLine. A failed creation raises its
// own ServerError when the group opens.
class ServerGroup final : public GroupAccumulator {
public:
    void Open(const ComPtr<IClassFactory>& factory) {
        m_line = CreateServerObject<IDocumentLine>(factory, CLSID_DocumentLine);
    }
    void Close() { m_line.Reset(); }

    // The item's name as the server gave it: the group's name is read back as 1253 text,
    // which is the same as had it been passed through 1253 on its way in.
    void SetName(const Bstr& name) { CallServer(m_line, &IDocumentLine::SetName, name.Get()); }
    void ReadName(std::string& name) override {
        Bstr text;
        CallServer(m_line, &IDocumentLine::GetName, text.Put());
        AssignCp1253(name, text.View());
    }
    double NetValue() override {
        double value = 0.0;
        CallServer(m_line, &IDocumentLine::GetNetValue, &value);
        return value;
    }
    void SetNetValue(double value) override { CallServer(m_line, &IDocumentLine::SetNetValue, value); }
    void SetVatPercent(double percent) override { CallServer(m_line, &IDocumentLine::SetVatPercent, percent); }

private:
    ComPtr<IDocumentLine> m_line;
};

}  // namespace

// One document of the period at a time: the source moves it from document to document,
// keeping its lists' memory and its group wrappers.
class ServerDocument final : public SourceDocument {
public:
    explicit ServerDocument(const ComPtr<IClassFactory>& groups) : m_groups(groups) {}

    // Lets go of the previous document's objects (its groups' DocumentLines included).
    void MoveTo(ComPtr<ICommercialDocument> document);
    [[nodiscard]] bool IsCommercial() const { return m_document != nullptr; }

    SourceText Series() override { return ReadSourceText(m_document, &IDocument::GetSeries); }
    std::int32_t Number() override { return ReadLong(m_document, &IDocument::GetNumber); }
    SourceText Name() override { return ReadSourceText(m_document, &IDocument::GetName); }

    bool OpenTrader() override {
        CallServer(m_document, &IDocument::GetTrader, m_trader.ReleaseAndGetAddressOf());
        return m_trader != nullptr;
    }

    std::size_t OpenLines() override;

    double Date() override {
        Variant date;
        CallServer(m_document, &IDocument::GetDate, date.Put());
        Variant asDate;
        // The source is only read (MinGW's declaration lacks the const).
        const HRESULT status = ::VariantChangeType(asDate.Put(), const_cast<VARIANT*>(&date.Get()), 0, VT_DATE);
        if (FAILED(status)) throw ServerError(status, FromWide(L"Η ημερομηνία του παραστατικού δεν είναι ημερομηνία."));
        return asDate.Get().date;
    }

    std::optional<LineAmounts> LineAt(std::size_t index) override {
        const auto [collection, item] = m_lineIndex[index];
        m_line = ItemAs<IDocumentLine>(m_lines[collection], item);
        if (!m_line) return std::nullopt;
        double value = 0.0, discount = 0.0, percent = 0.0;
        CallServer(m_line, &IDocumentLine::GetValue, kAmountSelector, &value);
        CallServer(m_line, &IDocumentLine::GetDiscount, kAmountSelector, &discount);
        CallServer(m_line, &IDocumentLine::GetVatPercent, &percent);
        return LineAmounts{value - discount, percent};
    }

    GroupAccumulator& OpenGroup() override;
    std::int32_t Kind() override { return ReadLong(m_document, &IDocument::GetKind); }
    SourceText TaxId() override { return ReadSourceText(m_trader, &ITrader::GetTaxId); }
    std::int32_t TraderNumber() override { return ReadLong(m_trader, &ITrader::GetTraderNumber); }

private:
    // A collection of lines whose count was asked for: the server is asked once.
    void AddLines(ComPtr<IBusinessCollection> lines, long count) {
        for (long item = 1; item <= count; ++item) m_lineIndex.push_back({m_lines.size(), item});
        m_lines.push_back(std::move(lines));
    }

    ComPtr<ICommercialDocument> m_document;
    const ComPtr<IClassFactory>& m_groups;
    ComPtr<ITrader> m_trader;
    std::vector<ComPtr<IBusinessCollection>> m_lines;
    std::vector<std::pair<std::size_t, long>> m_lineIndex;  // (collection, 1-based item)
    ComPtr<IDocumentLine> m_line;
    std::vector<std::unique_ptr<ServerGroup>> m_groupPool;
    std::size_t m_groupsOpen = 0;
};

void ServerDocument::MoveTo(ComPtr<ICommercialDocument> document) {
    m_document = std::move(document);
    m_trader.Reset();
    m_lines.clear();
    m_lineIndex.clear();
    m_line.Reset();
    for (std::size_t group = 0; group < m_groupsOpen; ++group) m_groupPool[group]->Close();
    m_groupsOpen = 0;
}

GroupAccumulator& ServerDocument::OpenGroup() {
    if (m_groupsOpen == m_groupPool.size()) m_groupPool.push_back(std::make_unique<ServerGroup>());
    ServerGroup& group = *m_groupPool[m_groupsOpen];
    group.Open(m_groups);
    ++m_groupsOpen;
    ComPtr<IItem> item;
    CallServer(m_line, &IDocumentLine::GetLineItem, item.ReleaseAndGetAddressOf());
    Bstr name;
    CallServer(item, &IItem::GetName, name.Put());
    group.SetName(name);
    return group;
}

std::size_t ServerDocument::OpenLines() {
    ComPtr<IBusinessCollection> own;
    CallServer(m_document, &IDocument::GetLines, own.ReleaseAndGetAddressOf());
    const long ownCount = CountOf(own);
    ComPtr<ILinkedDocument> linked;
    if (ownCount != 0 || FAILED(m_document.As(&linked))) {
        AddLines(std::move(own), ownCount);
        return m_lineIndex.size();
    }
    // An invoice made from delivery notes: the lines of all its sources, in order.
    ComPtr<IBusinessCollection> sources;
    CallServer(linked, &ILinkedDocument::GetSourceDocuments, sources.ReleaseAndGetAddressOf());
    const long count = CountOf(sources);
    if (count == 0) AddLines(std::move(own), ownCount);
    for (long index = 1; index <= count; ++index) {
        const auto source = ItemAs<ISourceDocument>(sources, index);
        ComPtr<IBusinessCollection> lines;
        CallServer(source, &IDocument::GetLines, lines.ReleaseAndGetAddressOf());
        const long lineCount = CountOf(lines);
        AddLines(std::move(lines), lineCount);
    }
    return m_lineIndex.size();
}

ComDocumentSource::ComDocumentSource(ComPtr<IBusinessTable>& server, ComPtr<IDataService>& documentQuery)
    : m_server(server), m_documentQuery(documentQuery), m_document(std::make_unique<ServerDocument>(m_groups)) {}

ComDocumentSource::~ComDocumentSource() = default;

std::size_t ComDocumentSource::Open(double from, double to) {
    m_documentQuery = ConnectDataService(m_server);
    // The period travels as VT_R8 OLE dates, the days at midnight the caller gives.
    const Variant first = Variant::Double(from);
    const Variant last = Variant::Double(to);
    CallServer(m_documentQuery, &IDataService::GetDocuments, first.Get(), last.Get(), 1L, IID_IUnknown,
               m_posted.ReleaseAndGetAddressOf());
    CallServer(m_documentQuery, &IDataService::GetDocuments, first.Get(), last.Get(), 0L, IID_IUnknown,
               m_others.ReleaseAndGetAddressOf());
    m_postedCount = std::max(0L, CountOf(m_posted));
    m_othersCount = std::max(0L, CountOf(m_others));
    // Every VAT group of every document is a new DocumentLine: look its class up once.
    m_groups = ServerClassFactory(CLSID_DocumentLine);
    return static_cast<std::size_t>(m_postedCount) + static_cast<std::size_t>(m_othersCount);
}

std::u16string ComDocumentSource::CompanyName() {
    m_documentQuery = ConnectDataService(m_server);
    Bstr name;
    CallServer(m_documentQuery, &IDataService::GetName, name.Put());
    return name.Get() == nullptr ? std::u16string()
                                 : AsUtf16(std::wstring_view(name.Get(), ::SysStringLen(name.Get())));
}

SourceDocument* ComDocumentSource::DocumentAt(std::size_t index) {
    const bool posted = index < static_cast<std::size_t>(m_postedCount);
    const long item = static_cast<long>(posted ? index : index - static_cast<std::size_t>(m_postedCount)) + 1;
    m_document->MoveTo(ItemAs<ICommercialDocument>(posted ? m_posted : m_others, item));
    return m_document->IsCommercial() ? m_document.get() : nullptr;
}

}  // namespace dralmoft
