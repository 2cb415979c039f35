// The walks over the server's collections, against a collection whose elements answer
// the interface query as a test wants: only "no such interface" is a skip.
#include "data/windows/collection_walk.h"

#include <gtest/gtest.h>

#include <vector>

namespace dralmoft {
namespace {

using Microsoft::WRL::ComPtr;

// An element that offers IVatRate, or answers every other query with `refusal`.
class Element final : public IVatRate {
public:
    Element(bool offers, HRESULT refusal) : m_offers(offers), m_refusal(refusal) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (iid == IID_IUnknown || iid == __uuidof(IBusinessObject) || (m_offers && iid == __uuidof(IVatRate)))
            *out = static_cast<IVatRate*>(this);
        return *out != nullptr ? S_OK : m_refusal;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override {
        *name = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetName(BSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetRate(double* percent) override {
        *percent = 24.0;
        return S_OK;
    }

private:
    bool m_offers;
    HRESULT m_refusal;
};

// A 1-based collection of elements; a null element is an empty slot.
class Collection final : public IBusinessCollection {
public:
    std::vector<Element*> elements;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = iid == IID_IUnknown || iid == __uuidof(IBusinessCollection) ? this : nullptr;
        return *out != nullptr ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetItem(long index, IBusinessObject** item) override {
        *item = elements.at(static_cast<std::size_t>(index - 1));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCount(long* count) override {
        *count = static_cast<long>(elements.size());
        return S_OK;
    }
};

TEST(CollectionWalk, OnlyAMissingInterfaceIsSkipped) {
    Element rate(true, E_NOINTERFACE);
    Element other(false, E_NOINTERFACE);
    Element failing(false, E_OUTOFMEMORY);
    Collection collection;
    collection.elements = {&rate, &other, nullptr, &rate};
    int visited = 0;
    ForEachOffering<IVatRate>(ComPtr<IBusinessCollection>(&collection), [&](const ComPtr<IVatRate>&) { ++visited; });
    EXPECT_EQ(visited, 2) << "the element without IVatRate and the empty slot are passed over";

    // An element whose query fails for another reason is not "not a VAT rate".
    collection.elements = {&rate, &failing, &rate};
    visited = 0;
    try {
        ForEachOffering<IVatRate>(ComPtr<IBusinessCollection>(&collection),
                                  [&](const ComPtr<IVatRate>&) { ++visited; });
        ADD_FAILURE() << "an out-of-memory answer was taken for a missing interface";
    } catch (const ServerError& error) {
        EXPECT_EQ(error.Status(), E_OUTOFMEMORY);
    }
    EXPECT_EQ(visited, 1) << "the walk stops at the failure";
}

}  // namespace
}  // namespace dralmoft
