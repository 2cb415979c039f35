#include "mapping/account_file.h"

#include <gtest/gtest.h>

#include "data/atomic_save.h"
#include "memory_file_system.h"

namespace dralmoft {
namespace {

using test::MemoryFileSystem;

// A window's four tables over files in memory, in the folder "C:\\Λογιστική\\".
class AccountFileTest : public testing::Test {
protected:
    AccountLoad Load(AccountKind kind) { return m_file.Load(kind, Tables()); }
    FileStatus Save(AccountKind kind, const AccountChanges& changes) { return m_file.Save(kind, Tables(), changes); }
    AccountTables Tables() { return {m_clients, m_suppliers, m_items, m_vat}; }
    std::string& OnDisk(std::u16string_view name) { return m_files.files[std::u16string(kFolder).append(name)]; }

    static constexpr std::u16string_view kFolder = u"C:\\Λογιστική\\";
    MemoryFileSystem m_files;
    AccountFile m_file{m_files, std::u16string(kFolder)};
    AccountMap m_clients, m_suppliers, m_items;
    VatAccountMap m_vat;
};

TEST_F(AccountFileTest, LoadingAddsToTheTableAndLeavesAMissingFileEmpty) {
    OnDisk(u"products.txt") = "\xCC\xDD\xEB\xE9;20.00;70.00\r\n";  // "Μέλι"
    m_items["\xD6\xDD\xF4\xE1"] = "x";                             // "Φέτα"
    ASSERT_TRUE(Load(AccountKind::Items).status.ok);
    EXPECT_EQ(m_items["\xD6\xDD\xF4\xE1"], "x");
    EXPECT_EQ(m_items["\xCC\xDD\xEB\xE9"], "20.00;70.00");
    ASSERT_TRUE(Load(AccountKind::Clients).status.ok);
    EXPECT_EQ(m_files.files.at(u"C:\\Λογιστική\\client.txt"), "") << "left behind, empty, in the folder";

    AccountFile reader(m_files, std::u16string(kFolder), false);
    ASSERT_TRUE(reader.Load(AccountKind::Suppliers, Tables()).status.ok);
    EXPECT_EQ(m_files.files.count(u"C:\\Λογιστική\\supplier.txt"), 0u) << "a reader that must not write creates none";
}

// Another program (a backup, an antivirus) holding the file for a moment is waited for.
TEST_F(AccountFileTest, AHeldFileIsWaitedForThenReadOrReported) {
    OnDisk(u"fpa.txt") = "24;54.00;54.00.0024;54.00.1024\r\n";
    m_files.busyReads = kReplaceAttempts - 1;
    ASSERT_TRUE(Load(AccountKind::VatRates).status.ok);
    EXPECT_EQ(m_vat[24.0], "54.00;54.00.0024;54.00.1024");
    EXPECT_EQ(m_files.pauses, kReplaceAttempts - 1);

    m_vat.Clear();
    m_files.busyReads = kReplaceAttempts;
    const AccountLoad load = Load(AccountKind::VatRates);
    EXPECT_FALSE(load.status.ok);
    EXPECT_EQ(load.status.text, "in use");
    EXPECT_TRUE(m_vat.Empty()) << "a file that was not read adds nothing";
}

TEST_F(AccountFileTest, ASaveWritesTheChangesOnTheFileAsItIsNow) {
    OnDisk(u"client.txt") = "099999999;30.00.0001\r\n";
    ASSERT_TRUE(Load(AccountKind::Clients).status.ok);
    // Meanwhile another window adds a client and changes one; this window sets two.
    OnDisk(u"client.txt") = "099999999;30.00.0077\r\n800000001;30.00.0002\r\n";
    AccountChanges changes;
    changes.Set("077", "30.00.0003");
    changes.Set("111111111", "30.00.0004");
    ASSERT_TRUE(Save(AccountKind::Clients, changes).ok);
    const std::string saved =
        "077;30.00.0003\r\n099999999;30.00.0077\r\n111111111;30.00.0004\r\n800000001;30.00.0002\r\n";
    EXPECT_EQ(OnDisk(u"client.txt"), saved);
    EXPECT_EQ(m_clients["800000001"], "30.00.0002") << "the table holds the file as saved";
    EXPECT_EQ(m_files.files.size(), 1u) << "no temporary or lock file left";
    EXPECT_TRUE(m_files.heldLocks.empty());

    // A blank account removes its key; nothing else changes.
    AccountChanges removal;
    removal.Set("099999999", "  ");
    ASSERT_TRUE(Save(AccountKind::Clients, removal).ok);
    EXPECT_EQ(OnDisk(u"client.txt"), "077;30.00.0003\r\n111111111;30.00.0004\r\n800000001;30.00.0002\r\n");
}

// Accounts given to keys that had none: a key that got one meanwhile keeps it, and a
// trader's own account another key took meanwhile (or an earlier change of the same save)
// is not given twice.
TEST_F(AccountFileTest, ConditionalChangesLeaveWhatTheFileNowHoldsOtherwise) {
    OnDisk(u"client.txt") = "100;30.01\r\n200;30.02\r\n";
    OnDisk(u"fpa.txt") = "24.000000;54.24\r\n";
    AccountChanges changes;
    changes.SetIfStill("100", "", "30.09", true);         // 100 got 30.01 meanwhile
    changes.SetIfStill("300", "", "30.02", true);         // 200 holds 30.02
    changes.SetIfStill("400", "", "30.03", true);         // stored
    changes.SetIfStill("500", "", "30.03", true);         // 400 took it in this save
    changes.SetIfStill("600", "", "38.00", false);        // a shared account may be shared
    changes.SetIfStill("200", "30.02", "30.02;x", true);  // what it held, still: its own account
    std::vector<ChangeLeft> left;
    ASSERT_TRUE(m_file.Save(AccountKind::Clients, Tables(), changes, &left).ok);
    EXPECT_EQ(OnDisk(u"client.txt"), "100;30.01\r\n200;30.02;x\r\n400;30.03\r\n600;38.00\r\n");
    const std::vector<ChangeLeft> expected = {{"100", 0.0, ChangeLeft::Why::Changed, "30.01"},
                                              {"300", 0.0, ChangeLeft::Why::Taken, "200"},
                                              {"500", 0.0, ChangeLeft::Why::Taken, "400"}};
    EXPECT_EQ(left, expected);

    AccountChanges vat;
    vat.SetIfStill(24.0, "", "54.00.0024");
    vat.SetIfStill(13.0, "", "54.00.0013");
    ASSERT_TRUE(m_file.Save(AccountKind::VatRates, Tables(), vat, &left).ok);
    EXPECT_EQ(OnDisk(u"fpa.txt"), "13.000000;54.00.0013\r\n24.000000;54.24\r\n");
    EXPECT_EQ(left, (std::vector<ChangeLeft>{{"24.000000", 24.0, ChangeLeft::Why::Changed, "54.24"}}));
}

// Two windows on one folder, each editing its own key: both edits end up in the file.
TEST_F(AccountFileTest, TwoWindowsEditingDifferentKeysKeepBothEdits) {
    OnDisk(u"products.txt") = "a;1;1\r\n";
    AccountMap first, second;
    AccountFile other(m_files, std::u16string(kFolder));
    ASSERT_TRUE(m_file.Load(m_file.PathOf(AccountKind::Items), first).status.ok);
    ASSERT_TRUE(other.Load(other.PathOf(AccountKind::Items), second).status.ok);
    AccountChanges firstEdit, secondEdit;
    firstEdit.Set("b", "2;2");
    secondEdit.Set("c", "3;3");
    ASSERT_TRUE(m_file.Save(m_file.PathOf(AccountKind::Items), first, firstEdit).ok);
    ASSERT_TRUE(other.Save(other.PathOf(AccountKind::Items), second, secondEdit).ok);
    EXPECT_EQ(OnDisk(u"products.txt"), "a;1;1\r\nb;2;2\r\nc;3;3\r\n");
    EXPECT_EQ(second["b"], "2;2") << "the second window's table now shows the first one's edit";
}

// A save with no change of this window's writes nothing, even over an external change;
// and a removal of the last VAT account is written (an empty table is no longer a reason
// to leave the file: only changes are written).
TEST_F(AccountFileTest, WithoutChangesNothingIsReadOrWritten) {
    OnDisk(u"fpa.txt") = "24;written by another program\r\n";
    const int reads = m_files.reads;
    ASSERT_TRUE(Save(AccountKind::VatRates, AccountChanges()).ok);
    EXPECT_EQ(OnDisk(u"fpa.txt"), "24;written by another program\r\n");
    EXPECT_EQ(m_files.reads, reads);

    AccountChanges removal;
    removal.Set(24.0, "");
    ASSERT_TRUE(Save(AccountKind::VatRates, removal).ok);
    EXPECT_EQ(OnDisk(u"fpa.txt"), "");
}

// A table whose file could not be read is never written over it: a save reads the file
// first, and writes only what it read plus the change.
TEST_F(AccountFileTest, AFileThatCannotBeReadIsNeverWrittenOver) {
    std::string accounts;
    for (int i = 1; i <= 12; ++i)
        accounts += "0" + std::to_string(100000000 + i) + ";30.00." + std::to_string(i) + "\r\n";
    OnDisk(u"client.txt") = accounts;
    m_files.unreadable.insert(u"C:\\Λογιστική\\client.txt");
    EXPECT_FALSE(Load(AccountKind::Clients).status.ok);
    AccountChanges changes;
    changes.Set("999", "30.00.0999");
    EXPECT_FALSE(Save(AccountKind::Clients, changes).ok);
    EXPECT_EQ(OnDisk(u"client.txt"), accounts) << "12 of 12 accounts kept";

    m_files.unreadable.clear();
    ASSERT_TRUE(Save(AccountKind::Clients, changes).ok);
    EXPECT_EQ(OnDisk(u"client.txt"), accounts + "999;30.00.0999\r\n");
    EXPECT_EQ(m_clients.Size(), 13u);
}

TEST_F(AccountFileTest, AFailedSaveLeavesTheFileAndShowsWhatItHolds) {
    OnDisk(u"supplier.txt") = "800000001;50.00.0001\r\n";
    ASSERT_TRUE(Load(AccountKind::Suppliers).status.ok);
    OnDisk(u"supplier.txt") = "800000001;50.00.0009\r\n";  // changed by another window
    AccountChanges changes;
    changes.Set("800000002", "50.00.0002");
    m_files.failStep = 1;  // the write of the temporary file
    const FileStatus status = Save(AccountKind::Suppliers, changes);
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.text, "disk full");
    EXPECT_EQ(status.file, u"C:\\Λογιστική\\~dralmoft-0000000000000001.tmp")
        << "the message names the file it failed on";
    EXPECT_EQ(m_files.files,
              (std::map<std::u16string, std::string>{{u"C:\\Λογιστική\\supplier.txt", "800000001;50.00.0009\r\n"}}));
    EXPECT_EQ(std::map(m_suppliers.begin(), m_suppliers.end()), (AccountMap::Entries{{"800000001", "50.00.0009"}}))
        << "the edit is undone in the table, which shows the file";
}

// Two saves never interleave: while another holds the lock beside the file, a save waits,
// then gives up and writes nothing.
TEST_F(AccountFileTest, ASaveWaitsForTheLockBesideTheFile) {
    OnDisk(u"products.txt") = "a;1;1\r\n";
    m_files.heldLocks.insert(u"C:\\Λογιστική\\~products.txt.lock");
    AccountChanges changes;
    changes.Set("b", "2;2");
    const FileStatus status = Save(AccountKind::Items, changes);
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.file, u"C:\\Λογιστική\\~products.txt.lock");
    EXPECT_EQ(m_files.pauses, kLockAttempts - 1);
    EXPECT_EQ(OnDisk(u"products.txt"), "a;1;1\r\n");
}

TEST_F(AccountFileTest, AFileInAnotherEncodingIsSavedBackInWindows1253) {
    OnDisk(u"products.txt") = "\xCE\x9C\xCE\xAD\xCE\xBB\xCE\xB9;20.00;70.00\r\n";  // "Μέλι" in UTF-8
    const AccountLoad load = Load(AccountKind::Items);
    ASSERT_TRUE(load.status.ok);
    EXPECT_EQ(load.encoding, TextEncoding::Utf8);
    EXPECT_EQ(m_items["\xCC\xDD\xEB\xE9"], "20.00;70.00");
    AccountChanges changes;
    changes.Set("\xD6\xDD\xF4\xE1", "20.01;70.01");  // "Φέτα"
    ASSERT_TRUE(Save(AccountKind::Items, changes).ok);
    EXPECT_EQ(OnDisk(u"products.txt"), "\xCC\xDD\xEB\xE9;20.00;70.00\r\n\xD6\xDD\xF4\xE1;20.01;70.01\r\n");
}

TEST_F(AccountFileTest, LoadAccountFilesReadsAllFourAndTellsEachFailure) {
    OnDisk(u"client.txt") = "1;30\r\n";
    OnDisk(u"fpa.txt") = "24;54\r\n";
    m_files.unreadable = {u"C:\\Λογιστική\\products.txt", u"C:\\Λογιστική\\supplier.txt"};
    std::vector<std::pair<AccountKind, bool>> heard;
    LoadAccountFiles(m_file, Tables(),
                     [&](AccountKind kind, const AccountLoad& load) { heard.emplace_back(kind, load.status.ok); });
    EXPECT_EQ(heard, (std::vector<std::pair<AccountKind, bool>>{{AccountKind::Items, false},
                                                                {AccountKind::VatRates, true},
                                                                {AccountKind::Suppliers, false},
                                                                {AccountKind::Clients, true}}));
    EXPECT_EQ(m_clients["1"], "30");
    EXPECT_EQ(m_vat[24.0], "54");
}

}  // namespace
}  // namespace dralmoft
