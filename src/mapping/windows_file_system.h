#pragma once
// The file operations on Windows, with wide calls: the program's 1253 paths are
// converted by name, not through the machine's code page.

#include "mapping/file_system.h"

namespace dralmoft {

class WindowsFileSystem final : public FileSystem {
public:
    [[nodiscard]] FileStatus ReadOrCreate(const std::string& path, std::string& content) override;
    [[nodiscard]] FileStatus ReadIfPresent(const std::string& path, std::string& content) override;
    [[nodiscard]] FileStatus CreateNew(const std::string& path, std::unique_ptr<WritableFile>& file) override;
    [[nodiscard]] FileStatus Replace(const std::string& from, const std::string& to) override;
    [[nodiscard]] FileStatus CheckReplaceable(const std::string& path) override;
    void Remove(const std::string& path) override;
    void Pause(int milliseconds) override;
    [[nodiscard]] unsigned long ProcessId() override;
};

// The system's text for an error code, in 1253, without the trailing line end.
[[nodiscard]] std::string SystemErrorText(unsigned long error);

}  // namespace dralmoft
