#pragma once
// Where the ERP keeps its databases, as its registry keys say, and the three database
// registrations the server gets from that at start-up. Texts are UTF-16 as stored in
// the registry, so a location reaches the server exactly as the ERP wrote it.

#include <array>
#include <cstdint>
#include <string>

namespace dralmoft {

struct ConnectionSettings {
    std::u16string databaseType;   // "...\DataType", empty when absent
    std::u16string location;       // "...\Database", empty when absent
    std::u16string machineFolder;  // "...\MachineDatabase", empty when absent
    // Why the location could not be read although it may be there (a Windows status, such
    // as access denied); 0 when it was read or is simply absent.
    std::uint32_t locationError = 0;
};

// The five strings of one IDatabaseSetup::OpenDatabase call.
struct DatabaseRegistration {
    std::u16string name;
    std::u16string location;
    std::u16string third;
    std::u16string fourth;
    std::u16string type;

    bool operator==(const DatabaseRegistration&) const = default;
};

// Main database first, then the two machine-local databases, in the order the server
// expects them. A main location that is a folder is made to end in a backslash (the
// test for "MSSQL" is case-sensitive and looks at the type as read); an empty type
// means "ACCESS".
[[nodiscard]] std::array<DatabaseRegistration, 3> DeriveRegistrations(const ConnectionSettings& settings);

}  // namespace dralmoft
