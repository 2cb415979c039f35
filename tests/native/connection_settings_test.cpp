#include "data/connection_settings.h"

#include <gtest/gtest.h>

namespace dralmoft {
namespace {

struct Case {
    const char* name;
    ConnectionSettings settings;
    std::u16string location;  // of the first registration
    std::u16string type;      // of the first registration
    friend void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }
};

class DeriveRegistrationsTest : public testing::TestWithParam<Case> {};

TEST_P(DeriveRegistrationsTest, MainDatabase) {
    const auto registrations = DeriveRegistrations(GetParam().settings);
    EXPECT_EQ(registrations[0], (DatabaseRegistration{u"Quilsparden", GetParam().location, u"", u"", GetParam().type}));
}

INSTANTIATE_TEST_SUITE_P(
    Settings, DeriveRegistrationsTest,
    testing::Values(Case{"NothingStored", {}, u"\\", u"ACCESS"},
                    Case{"AccessFolder", {u"ACCESS", u"C:\\Data", u""}, u"C:\\Data\\", u"ACCESS"},
                    Case{"FolderEndingInBackslash", {u"ACCESS", u"C:\\Data\\", u""}, u"C:\\Data\\", u"ACCESS"},
                    Case{"ServerDatabaseUntouched", {u"MSSQL", u"srv;db=erp", u""}, u"srv;db=erp", u"MSSQL"},
                    Case{"ServerTestIsCaseSensitive", {u"mssql", u"srv", u""}, u"srv\\", u"mssql"},
                    Case{"EmptyTypeOnFolder", {u"", u"D:\\ERP", u""}, u"D:\\ERP\\", u"ACCESS"},
                    Case{"UnknownTypePassedOn", {u"ORACLE", u"x", u""}, u"x\\", u"ORACLE"},
                    Case{"ServerWithEmptyLocation", {u"MSSQL", u"", u""}, u"", u"MSSQL"},
                    Case{"GreekFolderKeptExactly", {u"", u"C:\\Λογιστήριο", u""}, u"C:\\Λογιστήριο\\", u"ACCESS"},
                    Case{"SlashIsNotABackslash", {u"", u"C:/Data/", u""}, u"C:/Data/\\", u"ACCESS"}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(DeriveRegistrations, MachineDatabasesTakeTheFolderAsReadAndAlwaysAccess) {
    const auto registrations = DeriveRegistrations({u"MSSQL", u"srv", u"C:\\Local"});
    EXPECT_EQ(registrations[1], (DatabaseRegistration{u"vorndelcask", u"C:\\Local", u"", u"", u"ACCESS"}));
    EXPECT_EQ(registrations[2], (DatabaseRegistration{u"plexorin", u"C:\\Local", u"", u"", u"ACCESS"}));
}

TEST(DeriveRegistrations, NothingStoredGivesTheDefaults) {
    const auto registrations = DeriveRegistrations({});
    EXPECT_EQ(registrations[1], (DatabaseRegistration{u"vorndelcask", u"", u"", u"", u"ACCESS"}));
    EXPECT_EQ(registrations[2], (DatabaseRegistration{u"plexorin", u"", u"", u"", u"ACCESS"}));
}

TEST(DeriveRegistrations, LongLocationIsKeptWhole) {
    const std::u16string folder = u"C:\\" + std::u16string(300, u'x');
    EXPECT_EQ(DeriveRegistrations({u"ACCESS", folder, u""})[0].location, folder + u"\\");
}

}  // namespace
}  // namespace dralmoft
