#pragma once
// How an export of a period to a file ended, for the window and the command-line
// exporter to present. A run that completed leaves its file pending: written whole and
// flushed under a temporary name beside the target, which it replaces only when the
// caller commits it, so that a question to the user can come between the two.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "base/server_error.h"
#include "data/atomic_save.h"
#include "data/file_system.h"
#include "export/export_run.h"

namespace dralmoft {

class ExportOutcome {
public:
    enum class State {
        Pending,       // the run completed: Commit or Discard
        Checked,       // the run completed without a file
        Written,       // committed: the target holds the export
        Discarded,     // the caller chose to leave the target as it was
        Unwritable,    // the target cannot be replaced: the server was not asked
        NotSaved,      // writing, flushing or replacing failed: the target is as it was
        ServerFailed,  // the server failed part way: the target is as it was
        DateFailed,    // the system could not write a document's date: the target is as it was
    };

    State state = State::Unwritable;
    // What the run read and wrote, as far as it went.
    ExportSummary summary;
    // The separator as the run left it: an empty one became ";" with the first record.
    std::string separator;
    // Whether a file of the target's name was there when the export began: what a
    // failure left untouched.
    bool targetExisted = false;
    // Unwritable, NotSaved: the system's error.
    FileStatus fileError;
    // ServerFailed, DateFailed: the error, and the document being read ("name-seriesnumber", or "#n"
    // before its texts were known).
    std::optional<ServerError> serverError;
    std::string document;
    // DateFailed: the date (OLE) the system could not write, of `document`.
    double unwrittenDate = 0.0;
    // Pending, Written: the digest of the file's bytes (see FnvDigest::AddBytes).
    std::uint64_t fileDigest = 0;

    // Pending: the file that is to replace the target (see AtomicFileWriter::Temporary).
    [[nodiscard]] std::u16string PendingFile() const;
    // Gives the pending file the name that keeps it while the export log holds its batch
    // as pending (see AtomicFileWriter::SetPending); NotSaved with the error when it fails.
    FileStatus SetPending();
    // Puts the pending file in place of the target: Written, or NotSaved with the error.
    FileStatus Commit();
    // Removes the pending file; the target stays exactly as it was.
    void Discard();

private:
    friend class ExportFlow;
    std::unique_ptr<AtomicFileWriter> m_file;  // Pending only
};

}  // namespace dralmoft
