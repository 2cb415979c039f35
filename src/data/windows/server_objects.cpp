#include "data/windows/server_objects.h"

namespace dralmoft {

HRESULT CreateAndRun(REFCLSID clsid, Microsoft::WRL::ComPtr<IUnknown>& object) {
    object.Reset();
    HRESULT status = ::CoCreateInstance(clsid, nullptr, kServerClassContext, IID_PPV_ARGS(&object));
    if (SUCCEEDED(status)) status = ::OleRun(object.Get());
    if (FAILED(status)) object.Reset();
    return status;
}

Microsoft::WRL::ComPtr<IClassFactory> ServerClassFactory(REFCLSID clsid) {
    Microsoft::WRL::ComPtr<IClassFactory> factory;
    if (FAILED(::CoGetClassObject(clsid, kServerClassContext, nullptr, IID_PPV_ARGS(&factory)))) factory.Reset();
    return factory;
}

HRESULT CreateAndRun(const Microsoft::WRL::ComPtr<IClassFactory>& factory, REFCLSID clsid,
                     Microsoft::WRL::ComPtr<IUnknown>& object) {
    if (!factory) return CreateAndRun(clsid, object);
    object.Reset();
    HRESULT status = factory->CreateInstance(nullptr, IID_PPV_ARGS(&object));
    if (SUCCEEDED(status)) status = ::OleRun(object.Get());
    if (FAILED(status)) object.Reset();
    return status;
}

void RaiseCreationFailure(HRESULT status) { throw MakeServerError(nullptr, IID_IUnknown, status); }

}  // namespace dralmoft
