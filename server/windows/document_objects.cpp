// Documents and their lines as the server hands them out.
#include <string>

#include "com_object.h"
#include "server_objects.h"
#include "server_replies.h"

namespace demo {
namespace {

constexpr long kAmounts = 2;

HRESULT RefuseSelector(long selector) {
    return Fail(E_INVALIDARG, Concat({u"selector ", Utf8ToUtf16(std::to_string(selector)),
                                      u" is not served: 2 gives the line's own amounts"}));
}

class LineObject final : public ComObject<IDocumentLine> {
public:
    LineObject(CompanyPtr company, std::size_t document, std::size_t line)
        : m_company(std::move(company)), m_line(m_company->documents[document].lines[line]) {}

    HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override {
        if (const HRESULT f = Check("IBusinessObject.GetName"); FAILED(f)) return f;
        return PutText(m_line.item ? m_company->items[*m_line.item].name : Text{{}, true}, name);
    }
    HRESULT STDMETHODCALLTYPE SetName(BSTR) override { return ReadOnly(); }
    HRESULT STDMETHODCALLTYPE GetLineItem(IItem** item) override {
        if (const HRESULT f = Check("IDocumentLine.GetLineItem"); FAILED(f)) return f;
        if (item == nullptr) return E_POINTER;
        *item = nullptr;
        if (!m_line.item) return S_OK;  // a line without an item gives none
        return GiveOut(MakeItem(m_company, *m_line.item), item);
    }
    HRESULT STDMETHODCALLTYPE GetDiscount(long selector, double* discount) override {
        if (const HRESULT f = Check("IDocumentLine.GetDiscount"); FAILED(f)) return f;
        return selector == kAmounts ? PutValue(m_line.discount, discount) : RefuseSelector(selector);
    }
    HRESULT STDMETHODCALLTYPE GetValue(long selector, double* value) override {
        if (const HRESULT f = Check("IDocumentLine.GetValue"); FAILED(f)) return f;
        return selector == kAmounts ? PutValue(m_line.value, value) : RefuseSelector(selector);
    }
    HRESULT STDMETHODCALLTYPE GetNetValue(double* value) override {
        if (const HRESULT f = Check("IDocumentLine.GetNetValue"); FAILED(f)) return f;
        return PutValue(m_line.value - m_line.discount, value);
    }
    HRESULT STDMETHODCALLTYPE SetNetValue(double) override { return ReadOnly(); }
    HRESULT STDMETHODCALLTYPE GetVatPercent(double* percent) override {
        if (const HRESULT f = Check("IDocumentLine.GetVatPercent"); FAILED(f)) return f;
        return PutValue(m_line.vatPercent, percent);
    }
    HRESULT STDMETHODCALLTYPE SetVatPercent(double) override { return ReadOnly(); }

protected:
    void* Find(REFIID iid) override {
        if (iid == IID_IUnknown || iid == __uuidof(IBusinessObject)) return static_cast<IDocumentLine*>(this);
        if (iid == __uuidof(IDocumentLine) && m_line.offersInterface) return static_cast<IDocumentLine*>(this);
        return nullptr;
    }

private:
    HRESULT Check(std::string_view operation) const { return Faulted(m_company.get(), operation, m_line.id); }
    static HRESULT ReadOnly() { return Fail(E_ACCESSDENIED, u"the lines of a stored document cannot be changed"); }

    CompanyPtr m_company;
    const Line& m_line;
};

class DocumentObject final : public ComObject<ICommercialDocument, ISourceDocument, ILinkedDocument> {
public:
    DocumentObject(CompanyPtr company, std::size_t index)
        : m_company(std::move(company)), m_index(index), m_document(m_company->documents[index]) {}

    HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override {
        if (const HRESULT f = Check("IBusinessObject.GetName"); FAILED(f)) return f;
        return PutText(m_document.name, name);
    }
    HRESULT STDMETHODCALLTYPE SetName(BSTR) override { return Fail(E_ACCESSDENIED, u"documents are read only"); }
    HRESULT STDMETHODCALLTYPE GetTrader(ITrader** trader) override {
        if (const HRESULT f = Check("IDocument.GetTrader"); FAILED(f)) return f;
        if (trader == nullptr) return E_POINTER;
        *trader = nullptr;
        if (!m_document.trader) return S_OK;
        return GiveOut(MakeTrader(m_company, *m_document.trader), trader);
    }
    HRESULT STDMETHODCALLTYPE GetLines(IBusinessCollection** lines) override {
        if (const HRESULT f = Check("IDocument.GetLines"); FAILED(f)) return f;
        return GiveOut(MakeCollection(m_company, CollectionKind::Lines, m_document.id + ".lines",
                                      AllIndices(m_document.lines.size()), m_index),
                       lines);
    }
    HRESULT STDMETHODCALLTYPE GetDate(VARIANT* date) override {
        if (const HRESULT f = Check("IDocument.GetDate"); FAILED(f)) return f;
        if (date == nullptr) return E_POINTER;
        ::VariantInit(date);
        date->vt = VT_R8;
        date->dblVal = m_document.date;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetNumber(long* number) override {
        if (const HRESULT f = Check("IDocument.GetNumber"); FAILED(f)) return f;
        return PutValue<long>(m_document.number, number);
    }
    HRESULT STDMETHODCALLTYPE GetSeries(BSTR* series) override {
        if (const HRESULT f = Check("IDocument.GetSeries"); FAILED(f)) return f;
        return PutText(m_document.series, series);
    }
    HRESULT STDMETHODCALLTYPE GetKind(long* kind) override {
        if (const HRESULT f = Check("IDocument.GetKind"); FAILED(f)) return f;
        return PutValue<long>(m_document.kind, kind);
    }
    HRESULT STDMETHODCALLTYPE GetSourceDocuments(IBusinessCollection** sources) override {
        if (const HRESULT f = Check("ILinkedDocument.GetSourceDocuments"); FAILED(f)) return f;
        std::vector<std::uint32_t> indices(m_document.sources.begin(), m_document.sources.end());
        return GiveOut(
            MakeCollection(m_company, CollectionKind::Sources, m_document.id + ".sources", std::move(indices)),
            sources);
    }

protected:
    void* Find(REFIID iid) override {
        if (iid == IID_IUnknown || iid == __uuidof(IBusinessObject)) return static_cast<ICommercialDocument*>(this);
        if (!m_document.offersInterface) return nullptr;
        if (iid == __uuidof(IDocument)) return static_cast<ICommercialDocument*>(this);
        if (iid == __uuidof(ICommercialDocument) && m_document.commercial)
            return static_cast<ICommercialDocument*>(this);
        if (iid == __uuidof(ISourceDocument)) return static_cast<ISourceDocument*>(this);
        if (iid == __uuidof(ILinkedDocument) && m_document.linked) return static_cast<ILinkedDocument*>(this);
        return nullptr;
    }

private:
    HRESULT Check(std::string_view operation) const { return Faulted(m_company.get(), operation, m_document.id); }

    CompanyPtr m_company;
    std::size_t m_index;
    const Document& m_document;
};

}  // namespace

ComPtr<IBusinessObject> MakeDocument(CompanyPtr company, std::size_t index) {
    const auto document = Make<DocumentObject>(std::move(company), index);
    return ComPtr<IBusinessObject>(static_cast<ICommercialDocument*>(document.Get()));
}

ComPtr<IBusinessObject> MakeLine(CompanyPtr company, std::size_t document, std::size_t line) {
    return Make<LineObject>(std::move(company), document, line);
}

}  // namespace demo
