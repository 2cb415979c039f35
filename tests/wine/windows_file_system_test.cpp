// The file operations on Windows: UTF-16 paths reach the file calls unchanged, and a
// failure keeps the system's error code beside its text.
#include "data/windows/windows_file_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "data/atomic_save.h"
#include "test_company.h"
#include "win/unique_handle.h"
#include "win/wide_text.h"

namespace dralmoft {
namespace {

class WindowsFileSystemTest : public testing::Test {
protected:
    [[nodiscard]] std::u16string Path(std::u16string_view name) const {
        return AsUtf16(m_folder.Path()) + u"\\" + std::u16string(name);
    }
    [[nodiscard]] static bool Exists(const std::u16string& path) {
        return ::GetFileAttributesW(AsWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    test::TempFolder m_folder;
    WindowsFileSystem m_files;
};

TEST_F(WindowsFileSystemTest, PathsInAnyLanguageGoToTheSystemAsTheyAre) {
    for (const std::u16string_view name : {u"Λογαριασμοί.txt", u"Отчёт 2026.txt", u"José.txt"}) {
        const std::u16string path = Path(name);
        ASSERT_TRUE(SaveAtomically(m_files, path, "1;30.00\r\n").ok);
        std::string content;
        ASSERT_TRUE(m_files.ReadIfPresent(path, content).ok);
        EXPECT_EQ(content, "1;30.00\r\n");
    }
    std::string content = "stale";
    const std::u16string missing = Path(u"Νέο.txt");
    ASSERT_TRUE(m_files.ReadIfPresent(missing, content).ok);
    EXPECT_EQ(content, "");
    EXPECT_FALSE(Exists(missing)) << "only read, never created";
    ASSERT_TRUE(m_files.ReadOrCreate(missing, content).ok);
    EXPECT_TRUE(Exists(missing));
}

// A reader never keeps another program from the file, nor is kept from it by one that
// shares it: an exporter or a backup reading at the same moment as the window.
TEST_F(WindowsFileSystemTest, ReadersShareTheFileWithOtherPrograms) {
    const std::u16string path = Path(u"client.txt");
    ASSERT_TRUE(SaveAtomically(m_files, path, "1;30.00\r\n").ok);
    const UniqueFile writer(::CreateFileW(AsWide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(writer.Valid());
    std::string content;
    ASSERT_TRUE(m_files.ReadOrCreate(path, content).ok);
    EXPECT_EQ(content, "1;30.00\r\n");
    ASSERT_TRUE(m_files.ReadIfPresent(path, content).ok);
    EXPECT_EQ(content, "1;30.00\r\n");
}

TEST_F(WindowsFileSystemTest, FailuresKeepTheSystemsCodeAndText) {
    const FileStatus noFolder = m_files.CheckReplaceable(Path(u"δεν υπάρχει\\out.txt"));
    EXPECT_FALSE(noFolder.ok);
    EXPECT_EQ(noFolder.code, static_cast<unsigned long>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(noFolder.transient);
    EXPECT_FALSE(noFolder.text.empty());

    const std::u16string held = Path(u"held.txt");
    ASSERT_TRUE(SaveAtomically(m_files, held, "x").ok);
    const UniqueFile holder(
        ::CreateFileW(AsWide(held).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder.Valid());
    const FileStatus busy = m_files.CheckReplaceable(held);
    EXPECT_EQ(busy.code, static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(busy.transient) << "another program's hold may clear in a moment";
}

}  // namespace
}  // namespace dralmoft
