// Clients, suppliers, items and VAT rates as the server hands them out.
#include "com_object.h"
#include "server_objects.h"
#include "server_replies.h"

namespace demo {
namespace {

class TraderObject final : public ComObject<IClient, ISupplier> {
public:
    TraderObject(CompanyPtr company, TraderRef ref)
        : m_company(std::move(company)), m_ref(ref), m_trader(m_company->TraderAt(ref)) {}

    HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override {
        if (const HRESULT f = Faulted(m_company.get(), "IBusinessObject.GetName", m_trader.id); FAILED(f)) return f;
        return PutText(m_trader.name, name);
    }
    HRESULT STDMETHODCALLTYPE SetName(BSTR) override { return Fail(E_ACCESSDENIED, u"traders are read only"); }
    HRESULT STDMETHODCALLTYPE GetTaxId(BSTR* taxId) override {
        if (const HRESULT f = Faulted(m_company.get(), "ITrader.GetTaxId", m_trader.id); FAILED(f)) return f;
        return PutText(m_trader.taxId, taxId);
    }
    HRESULT STDMETHODCALLTYPE GetTraderNumber(long* number) override {
        if (const HRESULT f = Faulted(m_company.get(), "ITrader.GetTraderNumber", m_trader.id); FAILED(f)) return f;
        return PutValue<long>(m_trader.number, number);
    }

protected:
    void* Find(REFIID iid) override {
        // ITrader is always there (a document's trader is handed out as one); the kind's
        // own interface only when the entry offers it.
        if (iid == IID_IUnknown || iid == __uuidof(IBusinessObject) || iid == __uuidof(ITrader))
            return static_cast<IClient*>(this);
        if (!m_trader.offersInterface) return nullptr;
        if (iid == __uuidof(IClient) && m_ref.side == Side::Client) return static_cast<IClient*>(this);
        if (iid == __uuidof(ISupplier) && m_ref.side == Side::Supplier) return static_cast<ISupplier*>(this);
        return nullptr;
    }

private:
    CompanyPtr m_company;
    TraderRef m_ref;
    const Trader& m_trader;
};

class ItemObject final : public ComObject<IItem> {
public:
    ItemObject(CompanyPtr company, std::size_t index)
        : m_company(std::move(company)), m_item(m_company->items[index]) {}

    HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override {
        if (const HRESULT f = Faulted(m_company.get(), "IBusinessObject.GetName", m_item.id); FAILED(f)) return f;
        return PutText(m_item.name, name);
    }
    HRESULT STDMETHODCALLTYPE SetName(BSTR) override { return Fail(E_ACCESSDENIED, u"items are read only"); }
    HRESULT STDMETHODCALLTYPE GetCode(BSTR* code) override {
        if (const HRESULT f = Faulted(m_company.get(), "IItem.GetCode", m_item.id); FAILED(f)) return f;
        return PutText(m_item.code, code);
    }

protected:
    void* Find(REFIID iid) override {
        if (iid == IID_IUnknown || iid == __uuidof(IBusinessObject)) return static_cast<IItem*>(this);
        if (iid == __uuidof(IItem) && m_item.offersInterface) return static_cast<IItem*>(this);
        return nullptr;
    }

private:
    CompanyPtr m_company;
    const Item& m_item;
};

class VatRateObject final : public ComObject<IVatRate> {
public:
    VatRateObject(CompanyPtr company, std::size_t index)
        : m_company(std::move(company)), m_rate(m_company->vatRates[index]), m_target(TargetOf(index)) {}

    HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override {
        if (const HRESULT f = Faulted(m_company.get(), "IBusinessObject.GetName", m_target); FAILED(f)) return f;
        return PutText(m_rate.name, name);
    }
    HRESULT STDMETHODCALLTYPE SetName(BSTR) override { return Fail(E_ACCESSDENIED, u"VAT rates are read only"); }
    HRESULT STDMETHODCALLTYPE GetRate(double* percent) override {
        if (const HRESULT f = Faulted(m_company.get(), "IVatRate.GetRate", m_target); FAILED(f)) return f;
        return PutValue(m_rate.rate, percent);
    }

protected:
    void* Find(REFIID iid) override {
        if (iid == IID_IUnknown || iid == __uuidof(IBusinessObject)) return static_cast<IVatRate*>(this);
        if (iid == __uuidof(IVatRate) && m_rate.offersInterface) return static_cast<IVatRate*>(this);
        return nullptr;
    }

private:
    static std::string TargetOf(std::size_t index) {
        std::string target = std::to_string(index + 1);
        target.insert(target.begin(), 'R');
        return target;
    }

    CompanyPtr m_company;
    const VatRate& m_rate;
    std::string m_target;  // "R1", "R2", ... in file order
};

}  // namespace

ComPtr<ITrader> MakeTrader(CompanyPtr company, TraderRef ref) {
    const auto trader = Make<TraderObject>(std::move(company), ref);
    return ComPtr<ITrader>(static_cast<IClient*>(trader.Get()));
}

ComPtr<IItem> MakeItem(CompanyPtr company, std::size_t index) { return Make<ItemObject>(std::move(company), index); }

ComPtr<IVatRate> MakeVatRate(CompanyPtr company, std::size_t index) {
    return Make<VatRateObject>(std::move(company), index);
}

}  // namespace demo
