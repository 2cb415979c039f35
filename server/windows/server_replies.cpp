#include "server_replies.h"

#include <wrl/client.h>

#include <string>

#include "call_counts.h"

namespace demo {

using Microsoft::WRL::ComPtr;

std::u16string Concat(std::initializer_list<std::u16string_view> parts) {
    std::u16string text;
    for (const std::u16string_view part : parts) text.append(part);
    return text;
}

HRESULT Fail(HRESULT status, std::u16string_view message) {
    ComPtr<ICreateErrorInfo> create;
    if (SUCCEEDED(::CreateErrorInfo(&create))) {
        const std::u16string text(message);
        create->SetDescription(const_cast<LPOLESTR>(reinterpret_cast<const wchar_t*>(text.c_str())));
        create->SetSource(const_cast<LPOLESTR>(L"Dralmoft.DemoServer"));
        ComPtr<IErrorInfo> info;
        if (SUCCEEDED(create.As(&info))) ::SetErrorInfo(0, info.Get());
    }
    return status;
}

HRESULT Faulted(const Company* company, std::string_view operation, std::string_view target) {
    CountCall(operation);
    return FaultOf(company, operation, target);
}

HRESULT FaultOf(const Company* company, std::string_view operation, std::string_view target) {
    if (company == nullptr || company->faults.empty()) return S_OK;
    const Fault* fault = company->FindFault(operation, target);
    if (fault == nullptr) return S_OK;
    return Fail(fault->status, fault->message);
}

HRESULT PutText(const Text& text, BSTR* out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (text.isNull) return S_OK;
    *out =
        ::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.value.data()), static_cast<UINT>(text.value.size()));
    return *out != nullptr ? S_OK : Fail(E_OUTOFMEMORY, u"out of memory for a string");
}

}  // namespace demo
