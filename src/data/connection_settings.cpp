#include "data/connection_settings.h"

namespace dralmoft {

std::array<DatabaseRegistration, 3> DeriveRegistrations(const ConnectionSettings& settings) {
    std::u16string location = settings.location;
    const bool isServerDatabase = settings.databaseType == u"MSSQL";
    if (!isServerDatabase && (location.empty() || location.back() != u'\\')) location += u'\\';

    const std::u16string type = settings.databaseType.empty() ? u"ACCESS" : settings.databaseType;
    return {{
        {u"Quilsparden", location, u"", u"", type},
        {u"vorndelcask", settings.machineFolder, u"", u"", u"ACCESS"},
        {u"plexorin", settings.machineFolder, u"", u"", u"ACCESS"},
    }};
}

}  // namespace dralmoft
