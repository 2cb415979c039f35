#include "mapping/atomic_save.h"

#include <gtest/gtest.h>

#include "memory_file_system.h"

namespace dralmoft {
namespace {

using test::MemoryFileSystem;

TEST(AtomicSave, TemporaryFileSitsBesideTheTarget) {
    EXPECT_EQ(TemporaryPathFor("client.txt", 42, 1), "~client.txt.42-1.tmp");
    EXPECT_EQ(TemporaryPathFor("C:\\Λογιστική\\out.txt", 7, 2), "C:\\Λογιστική\\~out.txt.7-2.tmp");
    EXPECT_EQ(TemporaryPathFor("/tmp/x/a.csv", 1, 3), "/tmp/x/~a.csv.1-3.tmp");
}

TEST(AtomicSave, ReplacesTheTargetWhole) {
    MemoryFileSystem files;
    files.files["client.txt"] = "old";
    ASSERT_TRUE(SaveAtomically(files, "client.txt", "new content").ok);
    EXPECT_EQ(files.files, (std::map<std::string, std::string>{{"client.txt", "new content"}}));
}

// Every step that can fail, failed in turn: the old file stays byte for byte and no
// temporary file is left behind.
TEST(AtomicSave, AFailureAtAnyStepLeavesTheOldFileExactly) {
    const std::string content(200 * 1024, 'x');
    int failingRuns = 0;
    for (int step = 1;; ++step) {
        MemoryFileSystem files;
        files.files["fpa.txt"] = "19.000000;54.00\r\n";
        files.failStep = step;
        const FileStatus status = SaveAtomically(files, "fpa.txt", content);
        if (status.ok) {
            EXPECT_EQ(files.files.at("fpa.txt"), content);
            break;
        }
        ++failingRuns;
        EXPECT_FALSE(status.text.empty());
        EXPECT_EQ(files.files, (std::map<std::string, std::string>{{"fpa.txt", "19.000000;54.00\r\n"}}))
            << "step " << step;
        ASSERT_LT(step, 100);
    }
    EXPECT_EQ(failingRuns, 3) << "the write, the flush and the replace";
}

TEST(AtomicSave, HeldTargetIsRetriedThenSaved) {
    MemoryFileSystem files;
    files.files["supplier.txt"] = "old";
    files.busyReplaces = kReplaceAttempts - 1;
    ASSERT_TRUE(SaveAtomically(files, "supplier.txt", "new").ok);
    EXPECT_EQ(files.files.at("supplier.txt"), "new");
    EXPECT_EQ(files.pauses, kReplaceAttempts - 1);
}

TEST(AtomicSave, TargetHeldTooLongIsReportedAndKept) {
    MemoryFileSystem files;
    files.files["supplier.txt"] = "old";
    files.busyReplaces = kReplaceAttempts;
    const FileStatus status = SaveAtomically(files, "supplier.txt", "new");
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.text, "in use");
    EXPECT_EQ(files.files, (std::map<std::string, std::string>{{"supplier.txt", "old"}}));
}

TEST(AtomicSave, LeftoverTemporaryFileIsSteppedAround) {
    MemoryFileSystem files;
    files.files["~a.txt.42-1.tmp"] = "crash leftover";
    ASSERT_TRUE(SaveAtomically(files, "a.txt", "new").ok);
    EXPECT_EQ(files.files.at("a.txt"), "new");
    EXPECT_EQ(files.files.at("~a.txt.42-1.tmp"), "crash leftover");
}

TEST(AtomicSave, PiecesAreWrittenInBufferfuls) {
    MemoryFileSystem files;
    AtomicFileWriter writer(files, "out.txt");
    ASSERT_TRUE(writer.Begin().ok);
    const std::string line(1000, 'r');
    for (int i = 0; i < 200; ++i) ASSERT_TRUE(writer.Append(line).ok);
    EXPECT_EQ(files.steps, 3) << "200,000 bytes in 64 KiB writes";
    ASSERT_TRUE(writer.Finish().ok);
    EXPECT_EQ(files.files.at("out.txt").size(), 200000u);
}

TEST(AtomicSave, UnfinishedWriterRemovesItsTemporaryFile) {
    MemoryFileSystem files;
    {
        AtomicFileWriter writer(files, "out.txt");
        ASSERT_TRUE(writer.Begin().ok);
        ASSERT_TRUE(writer.Append("partial").ok);
    }
    EXPECT_TRUE(files.files.empty());
}

}  // namespace
}  // namespace dralmoft
