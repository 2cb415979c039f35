#pragma once
// Writes a file whole or not at all: the bytes go to a temporary file in the target's
// folder, which then replaces the target in one step. On any failure the target stays
// exactly as it was and the temporary file is removed.

#include <memory>
#include <string>
#include <string_view>

#include "data/file_system.h"

namespace dralmoft {

// How long a replace is retried while another program (a virus scanner, an indexer)
// holds the target: kReplaceAttempts tries, kReplacePauseMs apart.
inline constexpr int kReplaceAttempts = 6;
inline constexpr int kReplacePauseMs = 100;

// The temporary file beside `target`: same folder, so the replace never crosses disks.
[[nodiscard]] std::u16string TemporaryPathFor(const std::u16string& target, unsigned long processId, int attempt);

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

    // Creates the temporary file.
    [[nodiscard]] FileStatus Begin();
    // Buffers `bytes`; a full buffer is written, and its status returned.
    [[nodiscard]] FileStatus Append(std::string_view bytes);
    // Writes what is buffered, flushes and closes the temporary file.
    [[nodiscard]] FileStatus Seal();
    // Replaces the target with the sealed file.
    [[nodiscard]] FileStatus Commit();
    // Seal, then Commit.
    [[nodiscard]] FileStatus Finish();
    // Removes the temporary file; the target stays as it was.
    void Discard();

    [[nodiscard]] const std::u16string& Target() const { return m_target; }

private:
    [[nodiscard]] FileStatus Fail(FileStatus status);
    [[nodiscard]] FileStatus ReplaceWithRetries();

    static constexpr std::size_t kBufferSize = 64 * 1024;

    FileSystem& m_files;
    std::u16string m_target;
    std::u16string m_temporary;  // empty once committed or discarded
    std::unique_ptr<WritableFile> m_file;
    std::string m_buffer;
    bool m_sealed = false;
};

// The whole content in one go.
[[nodiscard]] FileStatus SaveAtomically(FileSystem& files, const std::u16string& target, std::string_view content);

}  // namespace dralmoft
