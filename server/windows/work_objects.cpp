// The objects the program works with during an export: ObjectList, to gather the
// documents of a period, and DocumentLine, the accumulator of one VAT group.
#include <string>
#include <vector>

#include "com_object.h"
#include "server_objects.h"
#include "server_replies.h"
#include "server_state.h"

namespace demo {
namespace {

class ObjectListObject final : public ComObject<IObjectList> {
public:
    explicit ObjectListObject(CompanyPtr company) : m_company(std::move(company)) {}

    HRESULT STDMETHODCALLTYPE GetItem(short index, IBusinessObject** item) override {
        if (const HRESULT f = Faulted(m_company.get(), "IObjectList.GetItem", "*"); FAILED(f)) return f;
        if (item == nullptr) return E_POINTER;
        *item = nullptr;
        if (index < 1 || static_cast<std::size_t>(index) > m_objects.size())
            return Fail(E_INVALIDARG, Concat({u"index ", Utf8ToUtf16(std::to_string(index)), u" is outside the list"}));
        return GiveOut(m_objects[static_cast<std::size_t>(index) - 1], item);
    }
    HRESULT STDMETHODCALLTYPE Add(IBusinessObject* item) override {
        if (const HRESULT f = Faulted(m_company.get(), "IObjectList.Add", "*"); FAILED(f)) return f;
        if (item == nullptr) return Fail(E_POINTER, u"no object to add");
        m_objects.emplace_back(item);
        return S_OK;
    }
    // The count as the interface declares it, 16 bits: past 32,767 it wraps, as the
    // ERP's own list does.
    HRESULT STDMETHODCALLTYPE GetCount(short* count) override {
        if (const HRESULT f = Faulted(m_company.get(), "IObjectList.GetCount", "*"); FAILED(f)) return f;
        return PutValue(static_cast<short>(m_objects.size()), count);
    }

protected:
    void* Find(REFIID iid) override {
        if (iid == IID_IUnknown || iid == __uuidof(IObjectList)) return static_cast<IObjectList*>(this);
        return nullptr;
    }

private:
    CompanyPtr m_company;
    std::vector<ComPtr<IBusinessObject>> m_objects;
};

// Starts with net value 0; gives back what was last set.
class DocumentLineObject final : public ComObject<IDocumentLine> {
public:
    explicit DocumentLineObject(CompanyPtr company) : m_company(std::move(company)) {}

    HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override {
        if (const HRESULT f = Check("IBusinessObject.GetName"); FAILED(f)) return f;
        return PutText(m_name, name);
    }
    HRESULT STDMETHODCALLTYPE SetName(BSTR name) override {
        if (const HRESULT f = Check("IBusinessObject.SetName"); FAILED(f)) return f;
        m_name.isNull = name == nullptr;
        m_name.value = name == nullptr ? std::u16string()
                                       : std::u16string(reinterpret_cast<const char16_t*>(name), ::SysStringLen(name));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetLineItem(IItem** item) override {
        if (item == nullptr) return E_POINTER;
        *item = nullptr;  // an accumulator belongs to no item
        return Check("IDocumentLine.GetLineItem");
    }
    HRESULT STDMETHODCALLTYPE GetDiscount(long, double* discount) override {
        if (const HRESULT f = Check("IDocumentLine.GetDiscount"); FAILED(f)) return f;
        return PutValue(0.0, discount);
    }
    HRESULT STDMETHODCALLTYPE GetValue(long, double* value) override {
        if (const HRESULT f = Check("IDocumentLine.GetValue"); FAILED(f)) return f;
        return PutValue(m_net, value);
    }
    HRESULT STDMETHODCALLTYPE GetNetValue(double* value) override {
        if (const HRESULT f = Check("IDocumentLine.GetNetValue"); FAILED(f)) return f;
        return PutValue(m_net, value);
    }
    HRESULT STDMETHODCALLTYPE SetNetValue(double value) override {
        if (const HRESULT f = Check("IDocumentLine.SetNetValue"); FAILED(f)) return f;
        m_net = value;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetVatPercent(double* percent) override {
        if (const HRESULT f = Check("IDocumentLine.GetVatPercent"); FAILED(f)) return f;
        return PutValue(m_vat, percent);
    }
    HRESULT STDMETHODCALLTYPE SetVatPercent(double percent) override {
        if (const HRESULT f = Check("IDocumentLine.SetVatPercent"); FAILED(f)) return f;
        m_vat = percent;
        return S_OK;
    }

protected:
    void* Find(REFIID iid) override {
        if (iid == IID_IUnknown || iid == __uuidof(IBusinessObject) || iid == __uuidof(IDocumentLine))
            return static_cast<IDocumentLine*>(this);
        return nullptr;
    }

private:
    HRESULT Check(std::string_view operation) const { return Faulted(m_company.get(), operation, "*"); }

    CompanyPtr m_company;
    Text m_name;
    double m_net = 0.0;
    double m_vat = 0.0;
};

}  // namespace

ComPtr<IUnknown> CreateObjectList() {
    return AsUnknown<IObjectList>(Make<ObjectListObject>(ServerState::Instance().Company()));
}

ComPtr<IUnknown> CreateDocumentLine() {
    return AsUnknown<IDocumentLine>(Make<DocumentLineObject>(ServerState::Instance().Company()));
}

}  // namespace demo
