#pragma once
// What the ERP's databases are, as the program registered them, and the company read
// from the main database. One per process, as the ERP's server keeps it.

#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "server_objects.h"

namespace demo {

inline constexpr char16_t kMainDatabase[] = u"Quilsparden";

struct Registration {
    std::u16string name, location, third, fourth, type;
};

class ServerState {
public:
    static ServerState& Instance();

    // Records the registration; for the main database, also loads its company. Returns
    // a failure with an error object when the database cannot be served.
    HRESULT OpenDatabase(Registration registration);

    // Null until the main database has been registered.
    [[nodiscard]] CompanyPtr Company() const;

private:
    mutable std::mutex m_mutex;
    std::vector<Registration> m_registrations;
    CompanyPtr m_company;
};

// Reads "company.json" from the folder `location`. On failure the error object names
// the file and the fault.
HRESULT LoadCompanyFile(const std::u16string& location, CompanyPtr& company);

}  // namespace demo
