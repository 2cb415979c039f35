#include "server_state.h"

#include "server_replies.h"

namespace demo {

ServerState& ServerState::Instance() {
    static ServerState state;
    return state;
}

HRESULT ServerState::OpenDatabase(Registration registration) {
    const CompanyPtr current = Company();
    const std::string name = Utf16ToUtf8(registration.name);
    if (const HRESULT f = Faulted(current.get(), "IDatabaseSetup.OpenDatabase", name); FAILED(f)) return f;

    if (registration.name == kMainDatabase) {
        if (registration.type == u"MSSQL")
            return Fail(E_FAIL, Concat({u"The demo server serves no SQL Server databases: the database \"Quilsparden\" "
                                        u"of type MSSQL at \"",
                                        registration.location, u"\" is refused."}));
        CompanyPtr company;
        if (const HRESULT status = LoadCompanyFile(registration.location, company); FAILED(status)) return status;
        if (const HRESULT f = FaultOf(company.get(), "IDatabaseSetup.OpenDatabase", name); FAILED(f)) return f;
        const std::lock_guard lock(m_mutex);
        m_company = std::move(company);
    }
    const std::lock_guard lock(m_mutex);
    m_registrations.push_back(std::move(registration));
    return S_OK;
}

CompanyPtr ServerState::Company() const {
    const std::lock_guard lock(m_mutex);
    return m_company;
}

}  // namespace demo
