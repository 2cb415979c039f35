#pragma once
// The file operations on Windows, with wide calls: the UTF-16 paths go to the system as
// they are.

#include "data/file_system.h"

namespace dralmoft {

class WindowsFileSystem final : public FileSystem {
public:
    [[nodiscard]] FileStatus ReadOrCreate(const std::u16string& path, std::string& content) override;
    [[nodiscard]] FileStatus ReadIfPresent(const std::u16string& path, std::string& content) override;
    [[nodiscard]] FileStatus CreateNew(const std::u16string& path, std::unique_ptr<WritableFile>& file) override;
    [[nodiscard]] FileStatus Replace(const std::u16string& from, const std::u16string& to) override;
    [[nodiscard]] FileStatus CheckReplaceable(const std::u16string& path) override;
    [[nodiscard]] FileStatus Lock(const std::u16string& path, std::unique_ptr<FileLock>& lock) override;
    [[nodiscard]] FileStatus Hold(const std::u16string& path, std::unique_ptr<FileLock>& hold) override;
    void Remove(const std::u16string& path) override;
    [[nodiscard]] std::vector<FolderEntry> List(const std::u16string& folder, std::u16string_view prefix) override;
    [[nodiscard]] std::optional<std::uint64_t> SizeOf(const std::u16string& path) override;
    [[nodiscard]] bool SameFile(const std::u16string& first, const std::u16string& second) override;
    [[nodiscard]] std::u16string FullPath(const std::u16string& path) override;
    [[nodiscard]] std::string ErrorText(unsigned long code) override;
    void Pause(int milliseconds) override;
    [[nodiscard]] std::uint64_t RandomNumber() override;
};

}  // namespace dralmoft
