#include "win/low_fragmentation_heaps.h"

#include <windows.h>

#include <malloc.h>

namespace dralmoft {

void UseLowFragmentationHeaps() noexcept {
    ULONG lowFragmentation = 2;
    const HANDLE heaps[] = {::GetProcessHeap(), reinterpret_cast<HANDLE>(_get_heap_handle())};
    // A heap that cannot take it (under a debugger, or made without serialisation) stays
    // as it is: only slower.
    for (const HANDLE heap : heaps)
        (void)::HeapSetInformation(heap, HeapCompatibilityInformation, &lowFragmentation, sizeof lowFragmentation);
}

}  // namespace dralmoft
