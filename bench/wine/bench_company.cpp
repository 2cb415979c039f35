#include "bench_company.h"

#include <windows.h>

#include "data/windows/server_interfaces.h"
#include "data/windows/server_objects.h"
#include "win/bstr.h"

namespace dralmoft::bench {

void OpenCompany(const std::wstring& folder) {
    const auto setup = CreateServerObject<IDatabaseSetup>(CLSID_DatabaseSetup);
    const Bstr name(u"Quilsparden");
    const Bstr location(std::u16string(folder.begin(), folder.end()));
    const Bstr empty(u"");
    const Bstr type(u"ACCESS");
    CallServer(setup, &IDatabaseSetup::OpenDatabase, name.Get(), location.Get(), empty.Get(), empty.Get(), type.Get());
}

}  // namespace dralmoft::bench
