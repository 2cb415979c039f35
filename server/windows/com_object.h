#pragma once
// The base of every demo-server object: reference counting, QueryInterface over the
// interfaces an object chooses to offer, and ISupportErrorInfo for all of them, so that
// clients may trust the error text of any failure.

#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

#include <atomic>
#include <memory>
#include <utility>

namespace demo {

// Objects alive in this module, for DllCanUnloadNow.
std::atomic<long>& LiveObjects();

template <class... Interfaces>
class ComObject : public Interfaces..., public ISupportErrorInfo {
public:
    ComObject() { ++LiveObjects(); }
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;
    virtual ~ComObject() { --LiveObjects(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = iid == __uuidof(ISupportErrorInfo) ? static_cast<ISupportErrorInfo*>(this) : Find(iid);
        if (*out == nullptr) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_references;
        if (left == 0) delete this;  // the object owns itself, as every COM object does
        return left;
    }
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
        return Find(iid) != nullptr ? S_OK : S_FALSE;
    }

protected:
    // The interface pointer for `iid` (IUnknown included), or null when not offered.
    virtual void* Find(REFIID iid) = 0;

private:
    // The first reference is taken by Make's ComPtr.
    std::atomic<ULONG> m_references{0};
};

// A new object, its first reference held by the ComPtr. (MinGW's ComPtr::Attach adds
// a reference, unlike the SDK's, so it is not used to adopt one.)
template <class Object, class... Args>
Microsoft::WRL::ComPtr<Object> Make(Args&&... args) {
    return Microsoft::WRL::ComPtr<Object>(std::make_unique<Object>(std::forward<Args>(args)...).release());
}

// The object's IUnknown, taken through its main interface (every object has two
// IUnknown bases: its interfaces and ISupportErrorInfo).
template <class Main, class Object>
Microsoft::WRL::ComPtr<IUnknown> AsUnknown(const Microsoft::WRL::ComPtr<Object>& object) {
    return Microsoft::WRL::ComPtr<IUnknown>(static_cast<Main*>(object.Get()));
}

// Hands a reference to `object` out through `out` as `Interface`.
template <class Interface, class Object>
HRESULT GiveOut(const Microsoft::WRL::ComPtr<Object>& object, Interface** out) {
    if (out == nullptr) return E_POINTER;
    *out = static_cast<Interface*>(object.Get());
    if (*out != nullptr) (*out)->AddRef();
    return S_OK;
}

}  // namespace demo
