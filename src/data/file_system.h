#pragma once
// The few file operations the account files and the export need, behind an interface:
// Windows in the program, and a fault-injecting double in the native tests that fails
// any step on demand. Paths are UTF-16, as the window and the command line give them, so
// that they reach the file calls unchanged.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dralmoft {

// The outcome of one file operation. `code` is the system's error code and `text` its
// own description of it (Windows-1253), for the message the user reads.
struct FileStatus {
    bool ok = true;
    bool transient = false;  // a sharing or access conflict that may clear in a moment
    unsigned long code = 0;  // the Windows error code; 0 when there is none
    std::string text;
    // The file the failure happened on when it is not the one the caller named (a
    // temporary file, a lock file); empty otherwise.
    std::u16string file;

    static FileStatus Success() { return {}; }
    static FileStatus Failure(std::string text, bool transient = false, unsigned long code = 0) {
        return {false, transient, code, std::move(text), {}};
    }
};

// Windows' error codes that the portable units give themselves.
inline constexpr unsigned long kErrorNotEnoughMemory = 8;  // ERROR_NOT_ENOUGH_MEMORY

// A file open for writing; closed (without a status) when it goes away.
class WritableFile {
public:
    virtual ~WritableFile() = default;
    [[nodiscard]] virtual FileStatus Write(std::string_view bytes) = 0;
    // Flushes to the disk and closes.
    [[nodiscard]] virtual FileStatus Commit() = 0;
};

// A lock held on a file name: released (and its file gone) when it goes away, also when
// the program ends without releasing it.
class FileLock {
public:
    virtual ~FileLock() = default;
};

// A file of a folder, with the minutes since it was last written.
struct FolderEntry {
    std::u16string name;
    double ageMinutes = 0.0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Reads `path` whole, creating it empty when it does not exist. Other programs may
    // read, write or delete the file meanwhile: a reader never blocks them.
    [[nodiscard]] virtual FileStatus ReadOrCreate(const std::u16string& path, std::string& content) = 0;
    // Reads `path` whole, as above; a missing file reads as empty and is not created.
    [[nodiscard]] virtual FileStatus ReadIfPresent(const std::u16string& path, std::string& content) = 0;
    // Creates `path`, which must not exist yet, for writing.
    [[nodiscard]] virtual FileStatus CreateNew(const std::u16string& path, std::unique_ptr<WritableFile>& file) = 0;
    // Puts `from` in the place of `to`, replacing it, in one step.
    [[nodiscard]] virtual FileStatus Replace(const std::u16string& from, const std::u16string& to) = 0;
    // Checks that `path` could be replaced now: its folder exists and the file, if
    // there, is not read-only or held by another program.
    [[nodiscard]] virtual FileStatus CheckReplaceable(const std::u16string& path) = 0;
    // Holds `path` (created if need be) open exclusively: a second lock on it, from this
    // program or another, fails with a transient status until the first is released.
    [[nodiscard]] virtual FileStatus Lock(const std::u16string& path, std::unique_ptr<FileLock>& lock) = 0;
    // Keeps the existing file `path` from being deleted or changed (by this program or
    // another) while the lock lives; others may still read it.
    [[nodiscard]] virtual FileStatus Hold(const std::u16string& path, std::unique_ptr<FileLock>& hold) = 0;
    virtual void Remove(const std::u16string& path) = 0;
    // The files of `folder` ("" for the current one) whose names begin with `prefix`.
    [[nodiscard]] virtual std::vector<FolderEntry> List(const std::u16string& folder, std::u16string_view prefix) = 0;
    // The size of `path`, or nothing when it does not exist.
    [[nodiscard]] virtual std::optional<std::uint64_t> SizeOf(const std::u16string& path) = 0;
    // Whether the two paths name one file: the same file on the disk when both exist,
    // whatever the spelling of their paths; otherwise the same full path.
    [[nodiscard]] virtual bool SameFile(const std::u16string& first, const std::u16string& second) = 0;
    // `path` as a full path (with its drive or share), as another program with another
    // current directory would find the file; `path` itself when the system cannot say.
    [[nodiscard]] virtual std::u16string FullPath(const std::u16string& path) = 0;
    // The system's text for an error code, as FileStatus carries it.
    [[nodiscard]] virtual std::string ErrorText(unsigned long code) = 0;
    virtual void Pause(int milliseconds) = 0;
    // A number no other process or call is likely to draw, for temporary names.
    [[nodiscard]] virtual std::uint64_t RandomNumber() = 0;
};

}  // namespace dralmoft
