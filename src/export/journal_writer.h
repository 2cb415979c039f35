#pragma once
// The export file's records, on their way to its temporary file: each record is written
// in code page 1253, or converted whole to OEM (737) when the code-page choice says so. The temporary file replaces the
// target only when the caller commits it.

#include <string>
#include <string_view>

#include "base/fnv_digest.h"
#include "data/atomic_save.h"
#include "export/export_run.h"

namespace dralmoft {

class JournalWriter final : public RecordSink {
public:
    // `keepCodePage`: the records stay in 1253. `file` is the export's file, which
    // outlives the writer and is sealed and committed by its owner.
    JournalWriter(FileSystem& files, AtomicFileWriter& file, bool keepCodePage);

    // Checks that the target can be replaced (its folder exists, it is not read-only or
    // held by another program), then creates the temporary file.
    [[nodiscard]] FileStatus Open();
    [[nodiscard]] FileStatus Write(std::string_view record) override;
    // The digest of the bytes written so far: the file's, once the run is done.
    [[nodiscard]] std::uint64_t FileDigest() const { return m_digest.Value(); }

private:
    FileSystem& m_files;
    AtomicFileWriter& m_file;
    bool m_keepCodePage;
    std::string m_converted;
    FnvDigest m_digest;
};

}  // namespace dralmoft
