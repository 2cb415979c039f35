#pragma once
// The few file operations the account files and the export need, behind an interface:
// Windows in the program, and a fault-injecting double in the native tests that fails
// any step on demand. Paths are UTF-16, as the window and the command line give them, so
// that they reach the file calls unchanged.

#include <memory>
#include <string>
#include <string_view>

namespace dralmoft {

// The outcome of one file operation. `code` is the system's error code and `text` its
// own description of it (Windows-1253), for the message the user reads.
struct FileStatus {
    bool ok = true;
    bool transient = false;  // a sharing or access conflict that may clear in a moment
    unsigned long code = 0;  // the Windows error code; 0 when there is none
    std::string text;

    static FileStatus Success() { return {}; }
    static FileStatus Failure(std::string text, bool transient = false, unsigned long code = 0) {
        return {false, transient, code, std::move(text)};
    }
};

// A file open for writing; closed (without a status) when it goes away.
class WritableFile {
public:
    virtual ~WritableFile() = default;
    [[nodiscard]] virtual FileStatus Write(std::string_view bytes) = 0;
    // Flushes to the disk and closes.
    [[nodiscard]] virtual FileStatus Commit() = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Opens `path` (bare names resolve against the current directory), creating it empty
    // when it does not exist, and reads it whole.
    [[nodiscard]] virtual FileStatus ReadOrCreate(const std::u16string& path, std::string& content) = 0;
    // Reads `path` whole; a missing file reads as empty and is not created.
    [[nodiscard]] virtual FileStatus ReadIfPresent(const std::u16string& path, std::string& content) = 0;
    // Creates `path`, which must not exist yet, for writing.
    [[nodiscard]] virtual FileStatus CreateNew(const std::u16string& path, std::unique_ptr<WritableFile>& file) = 0;
    // Puts `from` in the place of `to`, replacing it, in one step.
    [[nodiscard]] virtual FileStatus Replace(const std::u16string& from, const std::u16string& to) = 0;
    // Checks that `path` could be replaced now: its folder exists and the file, if
    // there, is not read-only or held by another program.
    [[nodiscard]] virtual FileStatus CheckReplaceable(const std::u16string& path) = 0;
    virtual void Remove(const std::u16string& path) = 0;
    virtual void Pause(int milliseconds) = 0;
    // A number that differs between processes, for temporary names.
    [[nodiscard]] virtual unsigned long ProcessId() = 0;
};

}  // namespace dralmoft
