#pragma once
// The benchmarks' company: the demo server opens the company file in a folder, as the
// ERP's set-up would open its database.

#include <string>

namespace dralmoft::bench {

// Throws ServerError when the server cannot open it.
void OpenCompany(const std::wstring& folder);

}  // namespace dralmoft::bench
