#pragma once
// The export file: records go to a temporary file beside the target, which replaces the
// target only when the run has completed. Each record is written in code page 1253, or
// converted whole to OEM (737) when the code-page choice, read for every record, says so.

#include <functional>
#include <string>

#include "export/export_run.h"
#include "mapping/atomic_save.h"

namespace dralmoft {

class JournalWriter final : public RecordSink {
public:
    // `keepCodePage` answers, for each record, whether it stays in 1253.
    JournalWriter(FileSystem& files, std::string target, std::function<bool()> keepCodePage);

    // Checks that the target can be replaced (its folder exists, it is not read-only or
    // held by another program), then creates the temporary file.
    [[nodiscard]] FileStatus Open();
    [[nodiscard]] FileStatus Write(std::string_view record) override;
    // Puts the file in place of the target. Without it the target is left as it was.
    [[nodiscard]] FileStatus Close();

private:
    FileSystem& m_files;
    AtomicFileWriter m_file;
    std::function<bool()> m_keepCodePage;
    std::string m_converted;
};

}  // namespace dralmoft
