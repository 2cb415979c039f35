#pragma once
// A server string read through one of its getters, as the program's Windows-1253 text.

#include <wrl/client.h>

#include <string>

#include "data/windows/server_call.h"
#include "win/bstr.h"

namespace dralmoft {

template <class Interface, class Method>
[[nodiscard]] std::string ReadServerText(const Microsoft::WRL::ComPtr<Interface>& object, Method method) {
    Bstr text;
    CallServer(object, method, text.Put());
    return ToText(text);
}

}  // namespace dralmoft
