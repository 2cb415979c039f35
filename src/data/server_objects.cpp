#include "data/server_objects.h"

namespace dralmoft {

HRESULT CreateAndRun(REFCLSID clsid, Microsoft::WRL::ComPtr<IUnknown>& object) {
    object.Reset();
    HRESULT status = ::CoCreateInstance(clsid, nullptr, kServerClassContext, IID_PPV_ARGS(&object));
    if (SUCCEEDED(status)) status = ::OleRun(object.Get());
    if (FAILED(status)) object.Reset();
    return status;
}

void RaiseCreationFailure(HRESULT status) { throw MakeServerError(nullptr, IID_IUnknown, status); }

}  // namespace dralmoft
