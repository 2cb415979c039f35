#pragma once
// Creating the server's objects: class context 7 (in-process server, handler, local
// server), put into the running state, then asked for the interface the caller needs.

#include <windows.h>
#include <ole2.h>
#include <wrl/client.h>

#include "data/windows/server_call.h"

namespace dralmoft {

inline constexpr DWORD kServerClassContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

// Creates the object of `clsid` and puts it into the running state. Raises nothing: the
// status says how it went, and `object` is empty after a failure.
[[nodiscard]] HRESULT CreateAndRun(REFCLSID clsid, Microsoft::WRL::ComPtr<IUnknown>& object);
// The ServerError of a failed creation, with the class's error text when it left one.
[[noreturn]] void RaiseCreationFailure(HRESULT status);

// The class object of `clsid`, for creating many of its objects quickly: COM looks the
// class up once instead of once per object. Empty when the class cannot be reached.
[[nodiscard]] Microsoft::WRL::ComPtr<IClassFactory> ServerClassFactory(REFCLSID clsid);

// An object from a class object, with the same creation rules as CreateServerObject.
// Without a class object the class is looked up as usual.
[[nodiscard]] HRESULT CreateAndRun(const Microsoft::WRL::ComPtr<IClassFactory>& factory, REFCLSID clsid,
                                   Microsoft::WRL::ComPtr<IUnknown>& object);

// The object of `clsid` as `Interface`. A failed creation raises its ServerError at once,
// with the class's own text, so that the user reads the first cause rather than a later
// E_POINTER; an object without the interface leaves the reference empty (the next call
// through it raises E_POINTER).
template <class Interface>
[[nodiscard]] Microsoft::WRL::ComPtr<Interface> CreateServerObject(const Microsoft::WRL::ComPtr<IClassFactory>& factory,
                                                                   REFCLSID clsid) {
    Microsoft::WRL::ComPtr<IUnknown> object;
    HRESULT status = CreateAndRun(factory, clsid, object);
    Microsoft::WRL::ComPtr<Interface> result;
    if (SUCCEEDED(status)) status = object.As(&result);
    if (FAILED(status)) {
        result.Reset();
        if (status != E_NOINTERFACE) RaiseCreationFailure(status);
    }
    return result;
}

template <class Interface>
[[nodiscard]] Microsoft::WRL::ComPtr<Interface> CreateServerObject(REFCLSID clsid) {
    return CreateServerObject<Interface>(Microsoft::WRL::ComPtr<IClassFactory>(), clsid);
}

}  // namespace dralmoft
