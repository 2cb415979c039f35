#pragma once
// Writes a file whole or not at all: the bytes go to a temporary file in the target's
// folder, which then replaces the target in one step. On any failure the target stays
// exactly as it was and the temporary file is removed.

#include <string>
#include <string_view>

#include "mapping/file_system.h"

namespace dralmoft {

// How long a replace is retried while another program (a virus scanner, an indexer)
// holds the target: kReplaceAttempts tries, kReplacePauseMs apart.
inline constexpr int kReplaceAttempts = 6;
inline constexpr int kReplacePauseMs = 100;

// The temporary file beside `target`: same folder, so the replace never crosses disks.
[[nodiscard]] std::string TemporaryPathFor(const std::string& target, unsigned long processId, int attempt);

// Writes a file piece by piece, as a run produces it; nothing reaches `target` until
// Finish succeeds. Destroying an unfinished one removes the temporary file.
class AtomicFileWriter {
public:
    AtomicFileWriter(FileSystem& files, std::string target);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file.
    [[nodiscard]] FileStatus Begin();
    // Buffers `bytes`; a full buffer is written, and its status returned.
    [[nodiscard]] FileStatus Append(std::string_view bytes);
    // Writes what is buffered, flushes, closes, and replaces the target.
    [[nodiscard]] FileStatus Finish();

    [[nodiscard]] const std::string& Target() const { return m_target; }

private:
    [[nodiscard]] FileStatus Fail(FileStatus status);
    [[nodiscard]] FileStatus ReplaceWithRetries();

    static constexpr std::size_t kBufferSize = 64 * 1024;

    FileSystem& m_files;
    std::string m_target;
    std::string m_temporary;
    std::unique_ptr<WritableFile> m_file;
    std::string m_buffer;
};

// The whole content in one go.
[[nodiscard]] FileStatus SaveAtomically(FileSystem& files, const std::string& target, std::string_view content);

}  // namespace dralmoft
