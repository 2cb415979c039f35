// The entry points to the company: DataRoot, its data service, VatRateTable, and
// DatabaseSetup that tells the server where the databases are.
#include <cmath>

#include "com_object.h"
#include "server_objects.h"
#include "server_replies.h"
#include "server_state.h"

namespace demo {
namespace {

HRESULT NoCompany() {
    return Fail(E_FAIL, u"No company is open: the database \"Quilsparden\" has not been registered with the server.");
}

HRESULT GetOleDate(const VARIANT& value, double& date) {
    if (value.vt == VT_R8) date = value.dblVal;
    else if (value.vt == VT_DATE) date = value.date;
    else return Fail(DISP_E_TYPEMISMATCH, u"a period date must be a VT_R8 or VT_DATE variant");
    return S_OK;
}

class DataServiceObject final : public ComObject<IDataService> {
public:
    explicit DataServiceObject(CompanyPtr company) : m_company(std::move(company)) {}

    HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override {
        if (const HRESULT f = Faulted(m_company.get(), "IBusinessObject.GetName", "*"); FAILED(f)) return f;
        return PutText(m_company->name, name);
    }
    HRESULT STDMETHODCALLTYPE SetName(BSTR) override { return Fail(E_ACCESSDENIED, u"the company name is read only"); }
    HRESULT STDMETHODCALLTYPE GetClients(BSTR, IBusinessCollection** clients) override {
        return List("IDataService.GetClients", CollectionKind::Clients, "clients", m_company->clients.size(), clients);
    }
    HRESULT STDMETHODCALLTYPE GetItems(BSTR, IBusinessCollection** items) override {
        return List("IDataService.GetItems", CollectionKind::Items, "items", m_company->items.size(), items);
    }
    HRESULT STDMETHODCALLTYPE GetSuppliers(BSTR, IBusinessCollection** suppliers) override {
        return List("IDataService.GetSuppliers", CollectionKind::Suppliers, "suppliers", m_company->suppliers.size(),
                    suppliers);
    }
    HRESULT STDMETHODCALLTYPE GetDocuments(VARIANT from, VARIANT to, long flag, REFIID,
                                           IBusinessCollection** documents) override;

protected:
    void* Find(REFIID iid) override {
        if (iid == IID_IUnknown || iid == __uuidof(IBusinessObject)) return static_cast<IDataService*>(this);
        if (iid == __uuidof(IDataService) && m_company->serviceOffersInterface) return static_cast<IDataService*>(this);
        return nullptr;
    }

private:
    HRESULT List(std::string_view operation, CollectionKind kind, const char* name, std::size_t count,
                 IBusinessCollection** out) const {
        if (const HRESULT f = Faulted(m_company.get(), operation, "*"); FAILED(f)) return f;
        return GiveOut(MakeCollection(m_company, kind, name, AllIndices(count)), out);
    }

    CompanyPtr m_company;
};

// The documents whose day lies in from..to, in file order: flag 1 the posted ones,
// flag 0 the others, so that the two calls never give the same document.
HRESULT DataServiceObject::GetDocuments(VARIANT from, VARIANT to, long flag, REFIID, IBusinessCollection** documents) {
    if (const HRESULT f = Faulted(m_company.get(), "IDataService.GetDocuments", "*"); FAILED(f)) return f;
    double first = 0.0;
    double last = 0.0;
    if (const HRESULT status = GetOleDate(from, first); FAILED(status)) return status;
    if (const HRESULT status = GetOleDate(to, last); FAILED(status)) return status;
    if (flag != 0 && flag != 1) return Fail(E_INVALIDARG, u"the flag must be 1 (posted) or 0 (not posted)");

    const double firstDay = std::floor(first);
    const double lastDay = std::floor(last);
    std::vector<std::uint32_t> indices;
    for (std::size_t i = 0; i < m_company->documents.size(); ++i) {
        const Document& document = m_company->documents[i];
        const double day = std::floor(document.date);
        if (day >= firstDay && day <= lastDay && document.posted == (flag == 1))
            indices.push_back(static_cast<std::uint32_t>(i));
    }
    return GiveOut(MakeCollection(m_company, CollectionKind::Documents, "documents", std::move(indices)), documents);
}

class DataRootObject final : public ComObject<IBusinessTable> {
public:
    HRESULT STDMETHODCALLTYPE GetAll(IBusinessCollection** all) override {
        const CompanyPtr company = ServerState::Instance().Company();
        if (!company) return NoCompany();
        if (const HRESULT f = Faulted(company.get(), "IBusinessTable.GetAll", "DataRoot"); FAILED(f)) return f;
        return GiveOut(MakeCollection(company, CollectionKind::Service, "DataRoot", {0}), all);
    }

protected:
    void* Find(REFIID iid) override {
        if (iid == IID_IUnknown || iid == __uuidof(IBusinessTable)) return static_cast<IBusinessTable*>(this);
        return nullptr;
    }
};

class VatRateTableObject final : public ComObject<IBusinessTable> {
public:
    HRESULT STDMETHODCALLTYPE GetAll(IBusinessCollection** all) override {
        const CompanyPtr company = ServerState::Instance().Company();
        if (!company) return NoCompany();
        if (const HRESULT f = Faulted(company.get(), "IBusinessTable.GetAll", "VatRateTable"); FAILED(f)) return f;
        return GiveOut(
            MakeCollection(company, CollectionKind::VatRates, "vatRates", AllIndices(company->vatRates.size())), all);
    }

protected:
    void* Find(REFIID iid) override {
        if (iid == IID_IUnknown || iid == __uuidof(IBusinessTable)) return static_cast<IBusinessTable*>(this);
        return nullptr;
    }
};

class DatabaseSetupObject final : public ComObject<IDatabaseSetup> {
public:
    HRESULT STDMETHODCALLTYPE OpenDatabase(BSTR name, BSTR location, BSTR third, BSTR fourth, BSTR type) override {
        return ServerState::Instance().OpenDatabase(
            {Copy(name), Copy(location), Copy(third), Copy(fourth), Copy(type)});
    }

protected:
    void* Find(REFIID iid) override {
        if (iid == IID_IUnknown || iid == __uuidof(IDatabaseSetup)) return static_cast<IDatabaseSetup*>(this);
        return nullptr;
    }

private:
    static std::u16string Copy(BSTR text) {
        if (text == nullptr) return {};
        return {reinterpret_cast<const char16_t*>(text), ::SysStringLen(text)};
    }
};

}  // namespace

ComPtr<IDataService> MakeDataService(CompanyPtr company) { return Make<DataServiceObject>(std::move(company)); }

ComPtr<IUnknown> CreateDataRoot() { return AsUnknown<IBusinessTable>(Make<DataRootObject>()); }
ComPtr<IUnknown> CreateVatRateTable() { return AsUnknown<IBusinessTable>(Make<VatRateTableObject>()); }
ComPtr<IUnknown> CreateDatabaseSetup() { return AsUnknown<IDatabaseSetup>(Make<DatabaseSetupObject>()); }

}  // namespace demo
