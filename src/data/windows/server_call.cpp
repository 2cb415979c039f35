#include "data/windows/server_call.h"

#include <oleauto.h>

#include "win/bstr.h"

namespace dralmoft {

using Microsoft::WRL::ComPtr;

ServerError MakeServerError(IUnknown* object, REFIID iid, HRESULT status) {
    ComPtr<IErrorInfo> info;
    if (::GetErrorInfo(0, &info) != S_OK) info.Reset();

    ComPtr<ISupportErrorInfo> support;
    const bool vouched = object == nullptr || (SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&support))) &&
                                               support->InterfaceSupportsErrorInfo(iid) == S_OK);
    if (!vouched || !info) return ServerError(status);

    Bstr description;
    if (FAILED(info->GetDescription(description.Put()))) return ServerError(status);
    return ServerError(status, ToText(description));
}

}  // namespace dralmoft
