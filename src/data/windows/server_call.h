#pragma once
// One way to call the server: every failure becomes a ServerError carrying the status
// and, when the object vouches for it, the server's error text.

#include <windows.h>
#include <wrl/client.h>

#include <utility>

#include "base/server_error.h"

namespace dralmoft {

// The error for a failed call of interface `iid` on `object`. The thread's error object
// is taken (and so cleared) whatever happens, so that a later failure never reports a
// stale text; it is used only when the object says it supplies one for that interface.
// Without an object (a failed creation) the class's own error object, if it left one,
// is the only text there is, and it is used.
[[nodiscard]] ServerError MakeServerError(IUnknown* object, REFIID iid, HRESULT status);

// Calls `method` on `object` with `args`. An empty reference raises E_POINTER.
template <class Interface, class Method, class... Args>
void CallServer(const Microsoft::WRL::ComPtr<Interface>& object, Method method, Args&&... args) {
    Interface* const raw = object.Get();
    if (raw == nullptr) throw ServerError(kStatusPointer);
    const HRESULT status = (raw->*method)(std::forward<Args>(args)...);
    if (FAILED(status)) throw MakeServerError(raw, __uuidof(Interface), status);
}

}  // namespace dralmoft
