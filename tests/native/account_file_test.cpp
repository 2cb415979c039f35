#include "mapping/account_file.h"

#include <gtest/gtest.h>

#include "memory_file_system.h"

namespace dralmoft {
namespace {

using test::MemoryFileSystem;

TEST(AccountFile, MissingFileIsCreatedEmpty) {
    MemoryFileSystem files;
    AccountFile file(files);
    AccountMap table;
    ASSERT_TRUE(file.Load(u"client.txt", table).ok);
    EXPECT_EQ(table.Size(), 0u);
    EXPECT_EQ(files.files.at(u"client.txt"), "");
}

TEST(AccountFile, LoadAddsToWhatTheTableHolds) {
    MemoryFileSystem files;
    files.files[u"products.txt"] = "Μέλι;20.00;70.00\r\n";
    AccountMap table;
    table["Φέτα"] = "x";
    AccountFile file(files);
    ASSERT_TRUE(file.Load(u"products.txt", table).ok);
    EXPECT_EQ(table["Φέτα"], "x");
    EXPECT_EQ(table["Μέλι"], "20.00;70.00");
}

TEST(AccountFile, FileThatDidNotOpenAddsNothing) {
    MemoryFileSystem files;
    files.files[u"fpa.txt"] = "24;54.00\r\n";
    files.failRead = true;
    VatAccountMap table;
    AccountFile file(files);
    const FileStatus status = file.Load(u"fpa.txt", table);
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.text, "read refused");
    EXPECT_TRUE(table.Empty());
}

TEST(AccountFile, SavesExactBytes) {
    MemoryFileSystem files;
    AccountMap clients;
    clients["099999999"] = "30.00.0001";
    clients[" 77 "] = "30.00.0002";
    clients["123"] = " ";
    AccountFile file(files);
    ASSERT_TRUE(file.Save(u"client.txt", clients).ok);
    EXPECT_EQ(files.files.at(u"client.txt"), " 77 ;30.00.0002\r\n099999999;30.00.0001\r\n");

    VatAccountMap vat;
    vat[24.0] = "54.00;54.00.0024;54.00.1024";
    vat[6.126] = "54.00;x;y";
    ASSERT_TRUE(file.Save(u"fpa.txt", vat).ok);
    EXPECT_EQ(files.files.at(u"fpa.txt"), "6.126000;54.00;x;y\r\n24.000000;54.00;54.00.0024;54.00.1024\r\n");
}

TEST(AccountFile, EmptyTables) {
    MemoryFileSystem files;
    files.files[u"supplier.txt"] = "1;50.00\r\n";
    files.files[u"fpa.txt"] = "junk that stays";
    AccountFile file(files);
    ASSERT_TRUE(file.Save(u"supplier.txt", AccountMap()).ok);
    EXPECT_EQ(files.files.at(u"supplier.txt"), "");
    ASSERT_TRUE(file.Save(u"fpa.txt", VatAccountMap()).ok);
    EXPECT_EQ(files.files.at(u"fpa.txt"), "junk that stays");
}

TEST(AccountFile, FailedSaveKeepsTheOldFile) {
    MemoryFileSystem files;
    files.files[u"client.txt"] = "1;30.00\r\n";
    files.failStep = 1;
    AccountMap clients;
    clients["2"] = "30.01";
    AccountFile file(files);
    EXPECT_FALSE(file.Save(u"client.txt", clients).ok);
    EXPECT_EQ(files.files, (std::map<std::u16string, std::string>{{u"client.txt", "1;30.00\r\n"}}));
}

}  // namespace
}  // namespace dralmoft
