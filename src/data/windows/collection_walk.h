#pragma once
// Walking the server's 1-based collections.

#include <wrl/client.h>

#include "data/windows/server_call.h"
#include "data/windows/server_interfaces.h"

namespace dralmoft {

[[nodiscard]] inline long CountOf(const Microsoft::WRL::ComPtr<IBusinessCollection>& collection) {
    long count = 0;
    CallServer(collection, &IBusinessCollection::GetCount, &count);
    return count;
}

// Item `index` as `Interface`, or an empty reference when the item does not offer it
// (the query answers E_NOINTERFACE, or the element is empty): the lists skip such items,
// and where the interface is needed the next call through the reference raises E_POINTER.
// Any other failure of the query (out of memory, a server gone) is a ServerError, never
// taken for a missing interface.
template <class Interface>
[[nodiscard]] Microsoft::WRL::ComPtr<Interface> ItemAs(const Microsoft::WRL::ComPtr<IBusinessCollection>& collection,
                                                       long index) {
    Microsoft::WRL::ComPtr<IBusinessObject> item;
    CallServer(collection, &IBusinessCollection::GetItem, index, item.ReleaseAndGetAddressOf());
    Microsoft::WRL::ComPtr<Interface> wanted;
    if (!item) return wanted;
    const HRESULT status = item.As(&wanted);
    if (status == E_NOINTERFACE) return {};
    if (FAILED(status)) throw MakeServerError(item.Get(), __uuidof(Interface), status);
    return wanted;
}

// Calls `visit` for every item, in order, that offers `Interface`; the others are
// passed over, as the server's lists expect.
template <class Interface, class Visit>
void ForEachOffering(const Microsoft::WRL::ComPtr<IBusinessCollection>& collection, Visit&& visit) {
    const long count = CountOf(collection);
    for (long index = 1; index <= count; ++index) {
        Microsoft::WRL::ComPtr<Interface> wanted = ItemAs<Interface>(collection, index);
        if (wanted) visit(wanted);
    }
}

}  // namespace dralmoft
