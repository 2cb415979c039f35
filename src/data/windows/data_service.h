#pragma once
// The way in to the server's company data: its DataRoot object, the collection that
// GetAll gives, and element 1 of it as the data service. The lists and the export all
// reach the clients, suppliers, items and documents through it.

#include <wrl/client.h>

#include "data/windows/server_interfaces.h"

namespace dralmoft {

// Creates `root` (a DataRoot) when it is empty and keeps it there; a failed creation
// raises its ServerError and leaves it empty, so that the next use tries again. Raises
// ServerError when GetAll fails. Element 1 not offering IDataService gives an empty
// reference: the caller's first call through it raises E_POINTER.
[[nodiscard]] Microsoft::WRL::ComPtr<IDataService> ConnectDataService(Microsoft::WRL::ComPtr<IBusinessTable>& root);

}  // namespace dralmoft
