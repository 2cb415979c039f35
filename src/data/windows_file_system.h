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
    void Remove(const std::u16string& path) override;
    void Pause(int milliseconds) override;
    [[nodiscard]] unsigned long ProcessId() override;
};

// The system's text for an error code, in 1253, without the trailing line end.
[[nodiscard]] std::string SystemErrorText(unsigned long error);

}  // namespace dralmoft
