#pragma once
// Writes a file whole or not at all: the bytes go to a temporary file in the target's
// folder, which then replaces the target in one step. On any failure the target stays
// exactly as it was and the temporary file is removed. Also the other helpers of a safe
// save: retries while another program holds a file, and a lock beside a file.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "data/file_system.h"

namespace dralmoft {

// How long an operation is retried while another program (a virus scanner, an indexer,
// a backup) holds the file: kReplaceAttempts tries, kReplacePauseMs apart.
inline constexpr int kReplaceAttempts = 6;
inline constexpr int kReplacePauseMs = 100;
// Another save holds the lock beside a file for as long as its own read and replace may
// wait on other programs (over a second): the lock is waited for longer.
inline constexpr int kLockAttempts = 30;
// Temporary files older than this beside a file being saved are leftovers of a program
// that was killed: no save or export takes that long.
inline constexpr double kLeftoverMinutes = 10.0;

// The folder part of a path, with its last separator ("" for a bare name), and the name.
[[nodiscard]] std::u16string_view FolderOf(std::u16string_view path);
[[nodiscard]] std::u16string_view NameOf(std::u16string_view path);

// "~dralmoft-<16 hex digits>.tmp" beside `target`: same folder, so that the replace never
// crosses disks, and a short name, so that a target name of any length leaves room.
[[nodiscard]] std::u16string TemporaryPathFor(std::u16string_view target, std::uint64_t random);
// The name a sealed temporary file takes while a batch of the export log names it as
// pending: "~dralmoft-<16 hex digits>.pending". No cleanup of leftovers removes it: the
// next export that opens the log settles the batch and removes the file.
[[nodiscard]] std::u16string PendingPathFor(std::u16string_view temporary);
// The temporary name a pending file had before (PendingPathFor's inverse).
[[nodiscard]] std::u16string TemporaryPathOf(std::u16string_view pending);
// Whether `name` is such a pending file.
[[nodiscard]] bool IsPendingName(std::u16string_view name);
// "~NAME.lock" beside `target`.
[[nodiscard]] std::u16string LockPathFor(std::u16string_view target);
// Whether `name` is a temporary file that a save of `targetName` leaves when killed:
// "~dralmoft-<16 hex digits>.tmp", or the older "~<targetName>.<digits>-<digits>.tmp".
[[nodiscard]] bool IsLeftoverName(std::u16string_view name, std::u16string_view targetName);
// Removes such leftovers beside `target` once they are kLeftoverMinutes old; a file that
// cannot be deleted (another program has it) stays.
void RemoveLeftovers(FileSystem& files, std::u16string_view target);

// Runs `attempt` until it succeeds or fails for good, pausing between tries while it
// fails transiently.
template <class Attempt>
[[nodiscard]] FileStatus WithRetries(FileSystem& files, Attempt attempt, int attempts = kReplaceAttempts) {
    FileStatus status = attempt();
    for (int tries = 1; !status.ok && status.transient && tries < attempts; ++tries) {
        files.Pause(kReplacePauseMs);
        status = attempt();
    }
    return status;
}

// Takes the lock beside `target` (LockPathFor), waiting kLockAttempts × kReplacePauseMs while
// another save holds it. A failure names the lock file.
[[nodiscard]] FileStatus LockBeside(FileSystem& files, std::u16string_view target, std::unique_ptr<FileLock>& lock);

// Writes a file piece by piece, as a run produces it; nothing reaches `target` until
// Commit succeeds. Between Seal and Commit the file is complete on the disk under its
// temporary name, so the caller may still ask the user before it replaces the target.
// Destroying one that was not committed removes the temporary file.
class AtomicFileWriter {
public:
    AtomicFileWriter(FileSystem& files, std::u16string target);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Removes old leftovers beside the target, then creates the temporary file.
    [[nodiscard]] FileStatus Begin();
    // Buffers `bytes`; a full buffer is written, and its status returned.
    [[nodiscard]] FileStatus Append(std::string_view bytes);
    // Writes what is buffered, flushes and closes the temporary file.
    [[nodiscard]] FileStatus Seal();
    // Gives the sealed file its pending name (PendingPathFor), held as before. A failure
    // removes the file.
    [[nodiscard]] FileStatus SetPending();
    // Replaces the target with the sealed file.
    [[nodiscard]] FileStatus Commit();
    // Seal, then Commit.
    [[nodiscard]] FileStatus Finish();
    // Removes the temporary file; the target stays as it was.
    void Discard();

    [[nodiscard]] const std::u16string& Target() const { return m_target; }
    // The file before it replaces the target; empty once committed or discarded.
    [[nodiscard]] const std::u16string& Temporary() const { return m_temporary; }

private:
    // The failure, after the temporary file is removed; it names the temporary file.
    [[nodiscard]] FileStatus Fail(FileStatus status);

    static constexpr std::size_t kBufferSize = 64 * 1024;

    FileSystem& m_files;
    std::u16string m_target;
    std::u16string m_temporary;  // empty once committed or discarded
    std::unique_ptr<WritableFile> m_file;
    // From Seal to Commit: the sealed file held open, so that no one removes it as a
    // killed program's leftover while the caller asks the user before the replace.
    std::unique_ptr<FileLock> m_hold;
    std::string m_buffer;
    bool m_sealed = false;
};

// The whole content in one go.
[[nodiscard]] FileStatus SaveAtomically(FileSystem& files, const std::u16string& target, std::string_view content);

}  // namespace dralmoft
