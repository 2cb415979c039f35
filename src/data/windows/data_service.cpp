#include "data/windows/data_service.h"

#include "data/windows/collection_walk.h"
#include "data/windows/server_objects.h"

namespace dralmoft {

Microsoft::WRL::ComPtr<IDataService> ConnectDataService(Microsoft::WRL::ComPtr<IBusinessTable>& root) {
    if (!root) root = CreateServerObject<IBusinessTable>(CLSID_DataRoot);
    Microsoft::WRL::ComPtr<IBusinessCollection> all;
    CallServer(root, &IBusinessTable::GetAll, all.ReleaseAndGetAddressOf());
    return ItemAs<IDataService>(all, 1);
}

}  // namespace dralmoft
