#include "data/atomic_save.h"

#include <gtest/gtest.h>

#include "memory_file_system.h"

namespace dralmoft {
namespace {

using test::MemoryFileSystem;

TEST(AtomicSave, HelperFilesSitBesideTheTarget) {
    EXPECT_EQ(TemporaryPathFor(u"client.txt", 0x2A), u"~dralmoft-000000000000002a.tmp");
    EXPECT_EQ(TemporaryPathFor(u"C:\\Λογιστική\\out.txt", 0xFEDCBA9876543210),
              u"C:\\Λογιστική\\~dralmoft-fedcba9876543210.tmp");
    EXPECT_EQ(TemporaryPathFor(u"/tmp/x/a.csv", 1), u"/tmp/x/~dralmoft-0000000000000001.tmp");
    EXPECT_EQ(LockPathFor(u"C:\\Λογιστική\\fpa.txt"), u"C:\\Λογιστική\\~fpa.txt.lock");
    EXPECT_EQ(PendingPathFor(u"C:\\Λογιστική\\~dralmoft-fedcba9876543210.tmp"),
              u"C:\\Λογιστική\\~dralmoft-fedcba9876543210.pending");
    EXPECT_EQ(TemporaryPathOf(u"C:\\Λογιστική\\~dralmoft-fedcba9876543210.pending"),
              u"C:\\Λογιστική\\~dralmoft-fedcba9876543210.tmp");
    EXPECT_TRUE(IsPendingName(u"~dralmoft-fedcba9876543210.pending"));
    EXPECT_FALSE(IsPendingName(u"~dralmoft-fedcba987654321.pending"));
    EXPECT_FALSE(IsPendingName(u"~dralmoft-fedcba9876543210.tmp"));
    EXPECT_EQ(TemporaryPathFor(u"D:out.txt", 1), u"D:~dralmoft-0000000000000001.tmp") << "on the target's drive";
    // A target of 250 characters still leaves its temporary file a short name.
    const std::u16string longName(250, u'Α');
    EXPECT_EQ(NameOf(TemporaryPathFor(u"D:\\" + longName, 7)).size(), 30u);
}

TEST(AtomicSave, ReplacesTheTargetWhole) {
    MemoryFileSystem files;
    files.files[u"client.txt"] = "old";
    ASSERT_TRUE(SaveAtomically(files, u"client.txt", "new content").ok);
    EXPECT_EQ(files.files, (std::map<std::u16string, std::string>{{u"client.txt", "new content"}}));
}

// Every step that can fail, failed in turn: the old file stays byte for byte and no
// temporary file is left behind.
TEST(AtomicSave, AFailureAtAnyStepLeavesTheOldFileExactly) {
    const std::string content(200 * 1024, 'x');
    int failingRuns = 0;
    for (int step = 1;; ++step) {
        MemoryFileSystem files;
        files.files[u"fpa.txt"] = "19.000000;54.00\r\n";
        files.failStep = step;
        const FileStatus status = SaveAtomically(files, u"fpa.txt", content);
        if (status.ok) {
            EXPECT_EQ(files.files.at(u"fpa.txt"), content);
            break;
        }
        ++failingRuns;
        EXPECT_FALSE(status.text.empty());
        EXPECT_EQ(files.files, (std::map<std::u16string, std::string>{{u"fpa.txt", "19.000000;54.00\r\n"}}))
            << "step " << step;
        ASSERT_LT(step, 100);
    }
    EXPECT_EQ(failingRuns, 3) << "the write, the flush and the replace";
}

TEST(AtomicSave, HeldTargetIsRetriedThenSaved) {
    MemoryFileSystem files;
    files.files[u"supplier.txt"] = "old";
    files.busyReplaces = kReplaceAttempts - 1;
    ASSERT_TRUE(SaveAtomically(files, u"supplier.txt", "new").ok);
    EXPECT_EQ(files.files.at(u"supplier.txt"), "new");
    EXPECT_EQ(files.pauses, kReplaceAttempts - 1);
}

TEST(AtomicSave, TargetHeldTooLongIsReportedAndKept) {
    MemoryFileSystem files;
    files.files[u"supplier.txt"] = "old";
    files.busyReplaces = kReplaceAttempts;
    const FileStatus status = SaveAtomically(files, u"supplier.txt", "new");
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.text, "in use");
    EXPECT_EQ(files.files, (std::map<std::u16string, std::string>{{u"supplier.txt", "old"}}));
}

// Killed saves and exports leave temporary files; the next save beside them removes
// those old enough to be nobody's, and never another file.
TEST(AtomicSave, OldLeftoversBesideTheTargetAreRemoved) {
    MemoryFileSystem files;
    const std::map<std::u16string, double> present = {
        {u"D:\\out\\~dralmoft-00000000000000ff.tmp", 11.0},       // removed
        {u"D:\\out\\~dralmoft-00000000000000fe.tmp", 9.0},        // too young: a running save's
        {u"D:\\out\\~dralmoft-00000000000000fd.pending", 600.0},  // a pending batch's: the log settles it
        {u"D:\\out\\~a.txt.32-1.tmp", 60.0},                      // the earlier form: removed
        {u"D:\\out\\~b.txt.32-1.tmp", 60.0},                      // another target's: kept
        {u"D:\\out\\~dralmoft-notahexnumber!.tmp", 60.0},         // not ours
        {u"D:\\out\\~a.txt.lock", 60.0},
        {u"D:\\out\\~a.txt.32-1.tmp.bak", 60.0},
        {u"D:\\out\\old\\~dralmoft-00000000000000ff.tmp", 60.0},  // another folder
    };
    for (const auto& [path, age] : present) {
        files.files[path] = "x";
        files.ages[path] = age;
    }
    ASSERT_TRUE(SaveAtomically(files, u"D:\\out\\a.txt", "new").ok);
    std::map<std::u16string, std::string> expected;
    for (const auto& [path, age] : present) expected[path] = "x";
    expected.erase(u"D:\\out\\~dralmoft-00000000000000ff.tmp");
    expected.erase(u"D:\\out\\~a.txt.32-1.tmp");
    expected[u"D:\\out\\a.txt"] = "new";
    EXPECT_EQ(files.files, expected);
}

TEST(AtomicSave, PiecesAreWrittenInBufferfuls) {
    MemoryFileSystem files;
    AtomicFileWriter writer(files, u"out.txt");
    ASSERT_TRUE(writer.Begin().ok);
    const std::string line(1000, 'r');
    for (int i = 0; i < 200; ++i) ASSERT_TRUE(writer.Append(line).ok);
    EXPECT_EQ(files.steps, 3) << "200,000 bytes in 64 KiB writes";
    ASSERT_TRUE(writer.Finish().ok);
    EXPECT_EQ(files.files.at(u"out.txt").size(), 200000u);
}

// A writer's file reaches the target only through Commit: unfinished or only sealed, it
// is removed when the writer goes, and the target keeps its bytes.
TEST(AtomicSave, OnlyACommitReplacesTheTarget) {
    MemoryFileSystem files;
    files.files[u"out.txt"] = "old";
    const auto untouched = files.files;
    {
        AtomicFileWriter writer(files, u"out.txt");
        ASSERT_TRUE(writer.Begin().ok);
        ASSERT_TRUE(writer.Append("partial").ok);
    }
    EXPECT_EQ(files.files, untouched);
    {
        AtomicFileWriter writer(files, u"out.txt");
        ASSERT_TRUE(writer.Begin().ok);
        ASSERT_TRUE(writer.Append("sealed").ok);
        ASSERT_TRUE(writer.Seal().ok);
        EXPECT_EQ(files.files.at(u"~dralmoft-0000000000000002.tmp"), "sealed")
            << "complete on the disk before the replace";
        EXPECT_EQ(files.files.at(u"out.txt"), "old");
    }
    EXPECT_EQ(files.files, untouched);
    AtomicFileWriter writer(files, u"out.txt");
    ASSERT_TRUE(writer.Begin().ok);
    ASSERT_TRUE(writer.Append("new").ok);
    ASSERT_TRUE(writer.Seal().ok);
    writer.Discard();
    EXPECT_EQ(files.files, untouched);
    EXPECT_FALSE(writer.Commit().ok) << "nothing is left to commit";
    EXPECT_EQ(files.files, untouched);
}

}  // namespace
}  // namespace dralmoft
