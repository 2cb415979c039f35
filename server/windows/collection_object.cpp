// The server's 1-based collections. Items are made when asked for, so a collection of
// a year's documents costs one index per document until it is walked.
#include <numeric>

#include "com_object.h"
#include "server_objects.h"
#include "server_replies.h"

namespace demo {
namespace {

class CollectionObject final : public ComObject<IBusinessCollection> {
public:
    CollectionObject(CompanyPtr company, CollectionKind kind, std::string name, std::vector<std::uint32_t> indices,
                     std::size_t owner)
        : m_company(std::move(company)),
          m_kind(kind),
          m_name(std::move(name)),
          m_indices(std::move(indices)),
          m_owner(owner) {}

    HRESULT STDMETHODCALLTYPE GetCount(long* count) override {
        if (const HRESULT f = Faulted(m_company.get(), "IBusinessCollection.GetCount", m_name); FAILED(f)) return f;
        return PutValue(static_cast<long>(m_indices.size()), count);
    }

    HRESULT STDMETHODCALLTYPE GetItem(long index, IBusinessObject** item) override {
        if (const HRESULT f = Faulted(m_company.get(), "IBusinessCollection.GetItem", m_name); FAILED(f)) return f;
        if (item == nullptr) return E_POINTER;
        *item = nullptr;
        if (index < 1 || static_cast<unsigned long>(index) > m_indices.size())
            return Fail(E_INVALIDARG,
                        Concat({u"index ", Utf8ToUtf16(std::to_string(index)), u" is outside the collection ",
                                Utf8ToUtf16(m_name), u" (1 to ", Utf8ToUtf16(std::to_string(m_indices.size())), u")"}));
        const std::uint32_t entry = m_indices[static_cast<std::size_t>(index) - 1];
        return GiveOut(MakeItem(entry), item);
    }

protected:
    void* Find(REFIID iid) override {
        if (iid == IID_IUnknown || iid == __uuidof(IBusinessCollection)) return static_cast<IBusinessCollection*>(this);
        return nullptr;
    }

private:
    ComPtr<IBusinessObject> MakeItem(std::uint32_t entry) const {
        switch (m_kind) {
            case CollectionKind::Service: return MakeDataService(m_company);
            case CollectionKind::Clients: return MakeTrader(m_company, {Side::Client, entry});
            case CollectionKind::Suppliers: return MakeTrader(m_company, {Side::Supplier, entry});
            case CollectionKind::Items: return demo::MakeItem(m_company, entry);
            case CollectionKind::VatRates: return MakeVatRate(m_company, entry);
            case CollectionKind::Documents:
            case CollectionKind::Sources: return MakeDocument(m_company, entry);
            case CollectionKind::Lines: return MakeLine(m_company, m_owner, entry);
        }
        return nullptr;
    }

    CompanyPtr m_company;
    CollectionKind m_kind;
    std::string m_name;
    std::vector<std::uint32_t> m_indices;
    std::size_t m_owner;
};

}  // namespace

ComPtr<IBusinessCollection> MakeCollection(CompanyPtr company, CollectionKind kind, std::string name,
                                           std::vector<std::uint32_t> indices, std::size_t owner) {
    return Make<CollectionObject>(std::move(company), kind, std::move(name), std::move(indices), owner);
}

std::vector<std::uint32_t> AllIndices(std::size_t count) {
    std::vector<std::uint32_t> indices(count);
    std::iota(indices.begin(), indices.end(), 0u);
    return indices;
}

}  // namespace demo
