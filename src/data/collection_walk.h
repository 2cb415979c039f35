#pragma once
// Walking the server's 1-based collections.

#include <wrl/client.h>

#include "data/server_call.h"
#include "data/server_interfaces.h"

namespace dralmoft {

[[nodiscard]] inline long CountOf(const Microsoft::WRL::ComPtr<IBusinessCollection>& collection) {
    long count = 0;
    CallServer(collection, &IBusinessCollection::GetCount, &count);
    return count;
}

// Item `index` as `Interface`, or an empty reference when the item does not offer it:
// for the places where a missing interface is not skipped, and the next call through
// the reference raises E_POINTER.
template <class Interface>
[[nodiscard]] Microsoft::WRL::ComPtr<Interface> ItemAs(const Microsoft::WRL::ComPtr<IBusinessCollection>& collection,
                                                       long index) {
    Microsoft::WRL::ComPtr<IBusinessObject> item;
    CallServer(collection, &IBusinessCollection::GetItem, index, item.ReleaseAndGetAddressOf());
    Microsoft::WRL::ComPtr<Interface> wanted;
    if (item && FAILED(item.As(&wanted))) wanted.Reset();
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
