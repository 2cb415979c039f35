#pragma once
// How the demo server answers: failures with an error object the client can read,
// the company's configured faults, and texts and numbers through out-parameters.

#include <windows.h>
#include <oleauto.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "company.h"
#include "company_file.h"

namespace demo {

// Joins the parts of a message. (Chains of operator+ on u16string trip a false
// -Wrestrict warning in GCC 12.)
std::u16string Concat(std::initializer_list<std::u16string_view> parts);

// Sets the thread's error object to `message` and returns `status`.
HRESULT Fail(HRESULT status, std::u16string_view message);

// The configured failure of `operation` on `target`, or S_OK. `company` may be null.
// Every operation the server serves passes here once per call, and is counted.
HRESULT Faulted(const Company* company, std::string_view operation, std::string_view target);
// The same, for a call already counted.
HRESULT FaultOf(const Company* company, std::string_view operation, std::string_view target);

// A text as a BSTR (null stays null).
HRESULT PutText(const Text& text, BSTR* out);

template <class T>
HRESULT PutValue(T value, T* out) {
    if (out == nullptr) return E_POINTER;
    *out = value;
    return S_OK;
}

}  // namespace demo
